#pragma once
// Platform-internal: the desktop dialogs of Dialogs.h and PrintDevice.h with a parent widget,
// for the widget site. Only platform sources include it.

#include <optional>
#include <string>

#include "platform/PrintDevice.h"

class QWidget;

namespace vtg::qtdialogs {

int MessageBox(QWidget* parent, const std::string& text, const std::string& caption, unsigned flags);
std::optional<std::string> OpenFile(QWidget* parent, const std::string& title, const std::string& filter);
std::optional<std::string> SaveFile(QWidget* parent, const std::string& title, const std::string& filter,
                                    const std::string& name);
std::optional<PrintDialogResult> Print(QWidget* parent, const PrinterSetup& setup);

}  // namespace vtg::qtdialogs
