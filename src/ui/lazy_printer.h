#pragma once
#include <memory>

#include "core/ports.h"

class QString;
class QWidget;

namespace ardentix::ui {

class PrintDevice;

// The printer, set up at its first use from the print module: setting one up asks the print
// system for its printers (which may try a print server on the network), and nobody should wait
// for that before the main menu appears.
class LazyPrinter : public Printer {
  public:
    LazyPrinter();
    ~LazyPrinter() override;
    std::optional<std::string> Print(const std::string& title,
                                     const std::vector<PrintLine>& lines) override;
    // The print dialog over the parent: false when cancelled, or when there is no printing (the
    // user has been told why).
    bool Choose(QWidget* parent);
    // Whether the printer has been set up yet.
    bool SetUp() const { return device_ != nullptr; }

  private:
    PrintDevice* device(QString* error);
    std::unique_ptr<PrintDevice> device_;
};

}  // namespace ardentix::ui
