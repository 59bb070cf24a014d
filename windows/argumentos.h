// The argument list of a command, normalised the way every Comando receives
// it: element 0 holds the number of arguments, elements 1.. the arguments.
// A single value V becomes [1, V]; no value (a null variant) becomes [0].
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace cartulo::windows {

class Argumentos {
  public:
    Argumentos() : values_{0} {}
    // One value, or none when it is null; a list is taken as an array
    // already in the normalised form (see FromArray).
    explicit Argumentos(const QVariant& single);
    explicit Argumentos(const QString& single) : Argumentos(QVariant(single)) {}
    explicit Argumentos(const char* single) : Argumentos(QVariant(QString::fromUtf8(single))) {}
    // An array already in the normalised form; a malformed one (empty, or
    // a count that is not a number within the array) is read as [0].
    static Argumentos FromArray(const QVariantList& array);

    int Count() const { return values_.front().toInt(); }
    bool HasArgument() const { return Count() > 0; }
    // Element i (1..Count()); null outside.
    QVariant At(int i) const;
    // Element 1 as text, "" when there is none.
    QString Text() const { return HasArgument() ? At(1).toString() : QString(); }
    const QVariantList& Array() const { return values_; }

  private:
    QVariantList values_;
};

}  // namespace cartulo::windows
