// One Hunspell dictionary and the user's own word list. Words come and go
// as QString: the dictionary's own encoding (its SET line) is met only here.
// Loading takes a noticeable moment, so it is meant for a worker thread;
// after that, one thread at a time uses the checker.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

#include "platform/charset_converter.h"

class Hunspell;

namespace cartulo::platform {

class SpellChecker {
  public:
    struct Loaded {
        std::unique_ptr<SpellChecker> checker;
        QString problem;  // why there is none, in Spanish
    };
    // The dictionary `name` of `folder`, with the words of `personalList`
    // (UTF-8, one a line; a missing file is an empty list).
    static Loaded Load(const QString& folder, const QString& name, const QString& personalList);

    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    const QString& Name() const { return name_; }
    // A word the dictionary's encoding cannot hold cannot be judged: it
    // counts as correct.
    bool Correct(const QString& word);
    QStringList Suggestions(const QString& word);
    // Accepts the word from now on and keeps it in the personal list; false
    // when the list could not be written (the word is accepted anyway).
    bool Add(const QString& word);

  private:
    SpellChecker(std::unique_ptr<Hunspell> hunspell, QString name, QString personalList,
                 CharsetConverter converter);
    std::optional<std::string> encode(const QString& word);
    void readPersonalList();

    std::unique_ptr<Hunspell> hunspell_;
    QString name_;
    QString personalList_;
    CharsetConverter converter_;
};

}  // namespace cartulo::platform
