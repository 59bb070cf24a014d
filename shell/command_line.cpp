#include "shell/command_line.h"

#include <QStringView>

namespace cartulo::shell {
namespace {

constexpr QChar kBlank = u' ';
constexpr QChar kQuote = u'"';
constexpr QChar kSwitchStart = u'-';
constexpr QChar kValueStart = u':';

// Only blanks separate the parts of a command line; tabs belong to them.
QStringView trimBlanks(QStringView text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == kBlank) ++start;
    while (end > start && text[end - 1] == kBlank) --end;
    return text.sliced(start, end - start);
}

// Takes a switch value or an argument from the front of `text`: between
// double quotes when it starts with one (to the end when the closing quote
// is missing), else up to the next blank. `text` keeps the trimmed rest.
QString takeWord(QStringView& text) {
    if (text.startsWith(kQuote)) {
        const qsizetype close = text.indexOf(kQuote, 1);
        if (close < 0) {
            const QString value = text.sliced(1).toString();
            text = {};
            return value;
        }
        const QString value = text.sliced(1, close - 1).toString();
        text = trimBlanks(text.sliced(close + 1));
        return value;
    }
    const qsizetype blank = text.indexOf(kBlank);
    if (blank < 0) {
        const QString value = text.toString();
        text = {};
        return value;
    }
    const QString value = text.first(blank).toString();
    text = trimBlanks(text.sliced(blank + 1));
    return value;
}

}  // namespace

void CommandLine::ParseCommandLine(const QString& commandLine) {
    Clear();
    // Blanks before the first switch do not turn it into an argument.
    QStringView text = trimBlanks(commandLine);
    while (text.startsWith(kSwitchStart) && SwitchCount() < kMaxSwitches) {
        const qsizetype blank = text.indexOf(kBlank);
        const qsizetype colon = text.indexOf(kValueStart);
        if (blank < 0 && colon < 0) {
            AddSwitch(text.sliced(1).toString(), QString());
            text = {};
        } else if (blank >= 0 && (colon < 0 || blank < colon)) {
            AddSwitch(text.sliced(1, blank - 1).toString(), QString());
            text = trimBlanks(text.sliced(blank));
        } else {
            const QString name = text.sliced(1, colon - 1).toString();
            text = text.sliced(colon + 1);
            AddSwitch(name, takeWord(text));
        }
    }
    text = trimBlanks(text);
    while (!text.isEmpty() && ArgumentCount() < kMaxArguments) {
        arguments_.push_back(takeWord(text));
    }
}

void CommandLine::ParseArguments(const QStringList& arguments) {
    Clear();
    for (const QString& element : arguments) {
        if (arguments_.empty() && SwitchCount() < kMaxSwitches &&
            element.startsWith(kSwitchStart)) {
            const qsizetype colon = element.indexOf(kValueStart);
            if (colon < 0) {
                AddSwitch(element.sliced(1), QString());
            } else {
                AddSwitch(element.sliced(1, colon - 1), element.sliced(colon + 1));
            }
            continue;
        }
        if (ArgumentCount() == kMaxArguments) break;
        arguments_.push_back(element);
    }
}

bool CommandLine::HasSwitch(const QString& name) const {
    return FindSwitch(name) != nullptr;
}

QString CommandLine::SwitchValue(const QString& name) const {
    const Switch* found = FindSwitch(name);
    return found != nullptr ? found->value : QString();
}

QString CommandLine::GetArgument(int index) const {
    if (index < 1 || index > ArgumentCount()) return QString();
    return arguments_[static_cast<std::size_t>(index - 1)];
}

void CommandLine::Clear() {
    switches_.clear();
    arguments_.clear();
}

void CommandLine::AddSwitch(const QString& name, const QString& value) {
    switches_.push_back(Switch{name.toUpper(), value});
}

const CommandLine::Switch* CommandLine::FindSwitch(const QString& name) const {
    const QString wanted = name.toUpper();
    for (const Switch& entry : switches_) {
        if (entry.name == wanted) return &entry;
    }
    return nullptr;
}

}  // namespace cartulo::shell
