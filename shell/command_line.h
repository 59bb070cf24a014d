// The program's command line: switches ("-debug", "-name:value") followed by
// plain arguments (the card file to open). Only "-" starts a switch, since
// "/" starts an absolute path.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Arguments are paths relative to the working folder: the caller resolves
// them with paths::ResolvePath.
#include "engine/paths.h"

namespace cartulo::shell {

class CommandLine {
  public:
    static constexpr int kMaxSwitches = 20;
    static constexpr int kMaxArguments = 10;

    // Parses a whole command-line text: switches first ("-name",
    // "-name:value", "-name:\"two words\""), then plain arguments, quoted or
    // not. A 21st switch and what follows are read as plain arguments;
    // arguments after the 10th are ignored.
    void ParseCommandLine(const QString& text);
    // The same rules over an argv the system split already (without the
    // program): an element starting with "-" is a switch while fewer than 20
    // are stored and no plain argument came yet; its name runs to the first
    // ":" and its value is the rest. Every other element is a plain
    // argument, taken as given, at most 10.
    void ParseArguments(const QStringList& arguments);

    bool HasSwitch(const QString& name) const;
    // "" when the switch is absent or has no value.
    QString SwitchValue(const QString& name) const;
    // Slots 1..ArgumentCount(); any other slot gives "".
    QString GetArgument(int index) const;
    int SwitchCount() const { return static_cast<int>(switches_.size()); }
    int ArgumentCount() const { return static_cast<int>(arguments_.size()); }

  private:
    struct Switch {
        QString name;  // upper-cased, without the "-"
        QString value;
    };
    void Clear();
    void AddSwitch(const QString& name, const QString& value);
    const Switch* FindSwitch(const QString& name) const;

    std::vector<Switch> switches_;
    std::vector<QString> arguments_;
};

}  // namespace cartulo::shell
