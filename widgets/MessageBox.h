#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace widgets {

inline const char* const kAppTitle = "Dobór wymienników firmy Skarvel";

enum class MsgIcon { None, Exclamation, Information, Critical };

// Modal message box with an OK button.
// A detail, when given, stands on a line of its own under the text.
void ShowMessage(QWidget* parent, const QString& text, const QString& title = kAppTitle,
                 MsgIcon icon = MsgIcon::None, const QString& detail = QString());
// Modal Yes/No box; true for Yes.
bool AskYesNo(QWidget* parent, const QString& text, const QString& title = kAppTitle,
              MsgIcon icon = MsgIcon::None);

// Tests see and answer the boxes through a handler instead of real dialogs: it receives each box
// and returns the answer (true for Yes; ignored for OK boxes).
struct MessageRecord {
    QString title;
    QString text;
    bool yesNo = false;
    MsgIcon icon = MsgIcon::None;
    QString detail;
};
using MessageHandler = std::function<bool(const MessageRecord&)>;
void SetMessageHandler(MessageHandler handler); // empty: real boxes

} // namespace widgets
