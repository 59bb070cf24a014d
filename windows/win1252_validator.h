// Keeps a one-line field to the characters a card file can hold: whatever
// else is typed, pasted or dropped into it is left out, and the owner is told
// which characters were.
#pragma once

#include <QValidator>
#include <functional>

namespace cartulo::windows {

class Win1252Validator : public QValidator {
  public:
    explicit Win1252Validator(std::function<void(const QString& leftOut)> onLeftOut,
                              QObject* parent = nullptr)
        : QValidator(parent), onLeftOut_(std::move(onLeftOut)) {}

    State validate(QString& input, int& position) const override;

  private:
    std::function<void(const QString&)> onLeftOut_;
};

}  // namespace cartulo::windows
