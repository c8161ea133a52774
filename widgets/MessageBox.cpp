#include "widgets/MessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace widgets {

namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Keeps Qt's button text when a translation gave one, else puts the Polish word.
void PolishButton(QAbstractButton* button, const char* english, const char* polish) {
    if (button && button->text() == QLatin1String(english))
        button->setText(QString::fromUtf8(polish));
}

bool Show(QWidget* parent, const QString& text, const QString& title, MsgIcon icon, bool yesNo,
          const QString& detail = QString()) {
    if (Handler())
        return Handler()(MessageRecord{title, text, yesNo, icon, detail});

    QMessageBox box(ToQt(icon), title, text, QMessageBox::NoButton, parent);
    box.setInformativeText(detail);
    box.setWindowModality(Qt::ApplicationModal);
    if (!yesNo) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return false;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    PolishButton(box.button(QMessageBox::Yes), "&Yes", "&Tak");
    PolishButton(box.button(QMessageBox::No), "&No", "&Nie");
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void ShowMessage(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                 const QString& detail) {
    Show(parent, text, title, icon, false, detail);
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& title, MsgIcon icon) {
    return Show(parent, text, title, icon, true);
}

void SetMessageHandler(MessageHandler handler) {
    Handler() = std::move(handler);
}

} // namespace widgets
