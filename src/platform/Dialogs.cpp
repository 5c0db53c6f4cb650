#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <map>

#include "platform/QtDialogs.h"

namespace vtg {

namespace {

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::vector<std::string_view> Split(std::string_view s, std::string_view separators) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto pos = s.find_first_of(separators, start);
        parts.push_back(s.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start));
        if (pos == std::string_view::npos) break;
        start = pos + 1;
    }
    return parts;
}

std::vector<std::string> FilterPatterns(std::string_view patterns) {
    std::vector<std::string> out;
    for (auto p : Split(patterns, ";")) {
        p = Trim(p);
        if (p.empty()) continue;
        // The toolkit matches "*.*" literally (names with a dot only); it means "all files".
        out.emplace_back(p == "*.*" ? "*" : p);
    }
    if (out.empty()) out.emplace_back("*");
    return out;
}

bool HasPattern(std::string_view patterns) {
    const auto parts = Split(patterns, ";");
    return std::any_of(parts.begin(), parts.end(), [](std::string_view p) { return !Trim(p).empty(); });
}

std::string FilterEntry(std::string_view description, std::string_view patterns) {
    // The toolkit reads the patterns from the last parenthesised group; drop the description's
    // own group so that the patterns shown are the ones that apply.
    description = Trim(description);
    if (!description.empty() && description.back() == ')') {
        const auto open = description.rfind('(');
        if (open != std::string_view::npos) description = Trim(description.substr(0, open));
    }
    std::string pats;
    for (const auto& p : FilterPatterns(patterns)) {
        if (!pats.empty()) pats += ' ';
        pats += p;
    }
    std::string entry(description.empty() ? std::string_view(pats) : description);
    return entry + " (" + pats + ")";
}

// The extension a save dialog appends when the user types none: that of the first pattern.
QString DefaultSuffix(const std::string& filter) {
    auto parts = Split(filter, std::string_view("|\0", 2));
    if (parts.size() < 2) return {};
    const auto first = FilterPatterns(parts[1]).front();
    if (first.size() < 3 || first.compare(0, 2, "*.") != 0) return {};
    const auto ext = std::string_view(first).substr(2);
    if (ext.find_first_of("*?[") != std::string_view::npos) return {};
    return QString::fromUtf8(ext.data(), static_cast<qsizetype>(ext.size()));
}

bool CanShowDialogs() {
    return !IsHeadless() && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

QMessageBox::Icon IconFor(unsigned flags) {
    switch (flags & MB_ICONMASK) {
        case MB_ICONHAND: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONEXCLAMATION: return QMessageBox::Warning;
        case MB_ICONASTERISK: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

QAbstractButton* AddButton(QMessageBox& box, int result) {
    switch (result) {
        case IDOK: return box.addButton(QMessageBox::Ok);
        case IDCANCEL: return box.addButton(QMessageBox::Cancel);
        case IDABORT: return box.addButton(QMessageBox::Abort);
        case IDRETRY: return box.addButton(QMessageBox::Retry);
        case IDIGNORE: return box.addButton(QMessageBox::Ignore);
        case IDYES: return box.addButton(QMessageBox::Yes);
        case IDNO: return box.addButton(QMessageBox::No);
        case IDTRYAGAIN: return box.addButton(QMessageBox::tr("&Try Again"), QMessageBox::AcceptRole);
        default: return box.addButton(QMessageBox::tr("&Continue"), QMessageBox::AcceptRole);
    }
}

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace

std::vector<int> MessageBoxResults(unsigned flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
        default: return {IDOK};
    }
}

int MessageBoxDefaultResult(unsigned flags) {
    const auto results = MessageBoxResults(flags);
    const auto index = static_cast<std::size_t>((flags & MB_DEFMASK) >> 8);
    return index < results.size() ? results[index] : results.front();
}

int MessageBoxEscapeResult(unsigned flags) {
    const auto results = MessageBoxResults(flags);
    for (int preferred : {IDCANCEL, IDNO, IDABORT}) {
        if (std::find(results.begin(), results.end(), preferred) != results.end()) return preferred;
    }
    return results.front();
}

std::string ConvertFileFilter(std::string_view filter) {
    auto parts = Split(filter, std::string_view("|\0", 2));
    while (!parts.empty() && Trim(parts.back()).empty()) parts.pop_back();
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const auto patterns = i + 1 < parts.size() ? parts[i + 1] : std::string_view();
        if (Trim(parts[i]).empty() && !HasPattern(patterns)) continue;
        if (!out.empty()) out += ";;";
        out += FilterEntry(parts[i], patterns);
    }
    return out;
}

bool IsHeadless() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return true;
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("offscreen") || name == QLatin1String("minimal");
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return qtdialogs::MessageBox(nullptr, text, caption, flags);
}

std::optional<std::string> ShowOpenFileDialog(const std::string& title, const std::string& filter) {
    return qtdialogs::OpenFile(nullptr, title, filter);
}

std::optional<std::string> ShowSaveFileDialog(const std::string& title, const std::string& filter,
                                              const std::string& name) {
    return qtdialogs::SaveFile(nullptr, title, filter, name);
}

namespace qtdialogs {

int MessageBox(QWidget* parent, const std::string& text, const std::string& caption, unsigned flags) {
    if (!CanShowDialogs()) return 0;
    QMessageBox box(IconFor(flags), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, parent);
    std::map<QAbstractButton*, int> results;
    const auto ids = MessageBoxResults(flags);
    for (int id : ids) results[AddButton(box, id)] = id;
    for (const auto& [button, id] : results) {
        if (id == MessageBoxDefaultResult(flags)) box.setDefaultButton(qobject_cast<QPushButton*>(button));
        if (id == MessageBoxEscapeResult(flags)) box.setEscapeButton(button);
    }
    box.exec();
    const auto it = results.find(box.clickedButton());
    return it != results.end() ? it->second : MessageBoxEscapeResult(flags);
}

std::optional<std::string> OpenFile(QWidget* parent, const std::string& title, const std::string& filter) {
    if (!CanShowDialogs()) return std::nullopt;
    return Chosen(QFileDialog::getOpenFileName(parent, QString::fromStdString(title), QString(),
                                               QString::fromStdString(ConvertFileFilter(filter))));
}

std::optional<std::string> SaveFile(QWidget* parent, const std::string& title, const std::string& filter,
                                    const std::string& name) {
    if (!CanShowDialogs()) return std::nullopt;
    QFileDialog dialog(parent, QString::fromStdString(title), QString::fromStdString(name),
                       QString::fromStdString(ConvertFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffix(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return Chosen(dialog.selectedFiles().front());
}

}  // namespace qtdialogs

}  // namespace vtg
