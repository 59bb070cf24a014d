// The print dialog, behind an interface so that printing can be driven by
// tests. The Qt implementation shows the platform's dialog, which also
// prints to a PDF file.
#pragma once

#include <QString>
#include <deque>
#include <optional>

class QPrinter;
class QWidget;

namespace cartulo::shell {

class PrintDialogs {
  public:
    virtual ~PrintDialogs() = default;
    // Sets up `printer` for a job; false when cancelled.
    virtual bool AskPrinter(QPrinter& printer) = 0;
};

class QtPrintDialogs : public PrintDialogs {
  public:
    explicit QtPrintDialogs(QWidget* parent) : parent_(parent) {}
    bool AskPrinter(QPrinter& printer) override;

  private:
    QWidget* parent_;
};

// Answers from a queue: a PDF file to print to, on A4 with 20 pt margins,
// or nothing (cancelled, as when nothing is queued).
class ScriptedPrintDialogs : public PrintDialogs {
  public:
    void QueuePdf(std::optional<QString> path) { answers_.push_back(std::move(path)); }
    bool AskPrinter(QPrinter& printer) override;
    int Asked() const { return asked_; }

  private:
    std::deque<std::optional<QString>> answers_;
    int asked_ = 0;
};

}  // namespace cartulo::shell
