#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureButton.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

// Runs `answer` on the first message box that opens, from inside its event loop.
void WhenBoxOpens(std::function<void(QMessageBox*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(box);
        }
    });
    timer->start();
}

} // namespace

class TstWidgets : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { widgets::SetMessageHandler({}); }

    void handlerSeesAndAnswersBoxes() {
        std::vector<widgets::MessageRecord> seen;
        widgets::SetMessageHandler([&seen](const widgets::MessageRecord& r) {
            seen.push_back(r);
            return r.text == QStringLiteral("tak?");
        });
        widgets::ShowMessage(nullptr, QStringLiteral("uwaga"));
        QVERIFY(widgets::AskYesNo(nullptr, QStringLiteral("tak?"), QStringLiteral("Pytanie"),
                                  widgets::MsgIcon::Exclamation));
        QVERIFY(!widgets::AskYesNo(nullptr, QStringLiteral("nie?")));
        QCOMPARE(seen.size(), size_t(3));
        QCOMPARE(seen[0].title, QString::fromUtf8(widgets::kAppTitle));
        QCOMPARE(seen[0].text, QStringLiteral("uwaga"));
        QVERIFY(!seen[0].yesNo);
        QCOMPARE(seen[0].icon, widgets::MsgIcon::None);
        QCOMPARE(seen[1].title, QStringLiteral("Pytanie"));
        QVERIFY(seen[1].yesNo);
        QCOMPARE(seen[1].icon, widgets::MsgIcon::Exclamation);
    }

    void realYesNoBoxInPolish_data() {
        QTest::addColumn<bool>("clickYes");
        QTest::newRow("Tak") << true;
        QTest::newRow("Nie") << false;
    }
    void realYesNoBoxInPolish() {
        QFETCH(bool, clickYes);
        QString title, yes, no;
        QMessageBox::Icon icon = QMessageBox::Critical;
        bool modal = false;
        WhenBoxOpens([&](QMessageBox* box) {
            title = box->windowTitle();
            icon = box->icon();
            modal = box->isModal();
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            box->button(clickYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        const bool answer = widgets::AskYesNo(nullptr, QStringLiteral("Czy drukować?"));
        QCOMPARE(answer, clickYes);
        QCOMPARE(title, QString::fromUtf8(widgets::kAppTitle));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QVERIFY(modal);
        QCOMPARE(yes, QStringLiteral("&Tak")); // no translation loaded in the test
        QCOMPARE(no, QStringLiteral("&Nie"));
    }

    void realOkBoxWithIcon() {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QString text;
        WhenBoxOpens([&](QMessageBox* box) {
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        widgets::ShowMessage(nullptr, QStringLiteral("Wystąpił błąd drukowania"),
                             QStringLiteral("Druk"), widgets::MsgIcon::Critical);
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, 1);
        QCOMPARE(text, QStringLiteral("Wystąpił błąd drukowania"));
    }

    void everyProgramIconLoads() {
        const char* const names[] = {"calculate",    "print",      "exit",  "help", "info",
                                     "descriptions", "parameters", "hydra", "heat", "coefq",
                                     "coeft",        "selection",  "quit",  "app"};
        for (const char* name : names) {
            const QIcon icon = widgets::ProgramIcon(QString::fromLatin1(name));
            QVERIFY2(!icon.isNull(), name);
            for (int size : {16, 32, 48}) {
                const QImage image = icon.pixmap(size).toImage();
                QVERIFY2(!image.isNull(), name);
                int opaque = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        opaque += qAlpha(image.pixel(x, y)) > 64;
                // Not blank: even the line drawings cover more than 4 % of their square.
                QVERIFY2(opaque > image.width() * image.height() / 25, name);
            }
        }
        QVERIFY(widgets::ProgramIcon(QStringLiteral("no-such-icon")).isNull());
    }

    void pictureButton() {
        widgets::PictureButton button(QStringLiteral("print"),
                                      QStringLiteral("wydruk wartości obliczeniowych"));
        QVERIFY(!button.icon().isNull());
        QCOMPARE(button.toolTip(), QStringLiteral("wydruk wartości obliczeniowych"));
        QCOMPARE(button.accessibleName(), button.toolTip());
    }

    void accessibleNames() {
        QWidget form;
        auto* edit = new QLineEdit(&form);
        auto* label = new QLabel(QStringLiteral("&Moc cieplna Q"), &form);
        label->setBuddy(edit);
        auto* slider = new QSlider(&form);
        slider->setToolTip(QStringLiteral("temperatura T11"));
        auto* named = new QPushButton(QStringLiteral("Licz"), &form);
        named->setAccessibleName(QStringLiteral("oblicz"));
        named->setToolTip(QStringLiteral("obliczenia"));
        auto* both = new QComboBox(&form);
        both->setToolTip(QStringLiteral("podpowiedź"));
        auto* bothLabel = new QLabel(QStringLiteral("Typ && model"), &form);
        bothLabel->setBuddy(both);
        auto* table = new QTableWidget(2, 2, &form);
        table->setToolTip(QStringLiteral("tablica wyników"));
        auto* bare = new QLineEdit(&form);
        auto* caption = new QLabel(QStringLiteral("bez kontrolki"), &form);

        widgets::ApplyAccessibleNames(&form);
        QCOMPARE(edit->accessibleName(), QStringLiteral("Moc cieplna Q"));
        QCOMPARE(slider->accessibleName(), QStringLiteral("temperatura T11"));
        QCOMPARE(named->accessibleName(), QStringLiteral("oblicz"));     // kept
        QCOMPARE(both->accessibleName(), QStringLiteral("Typ & model")); // label before tooltip
        QCOMPARE(table->accessibleName(), QStringLiteral("tablica wyników"));
        QVERIFY(bare->accessibleName().isEmpty());
        QVERIFY(caption->accessibleName().isEmpty()); // labels are not operable
        // The table's own scroll bars are part of it and stay unnamed.
        for (QWidget* inner : table->findChildren<QWidget*>())
            QVERIFY(inner->accessibleName().isEmpty());
    }

    void environment() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        QCOMPARE(widgets::DecimalSeparator(), ',');
        QCOMPARE(widgets::UserLocale().language(), QLocale::Polish);
        widgets::SetUserLocale(QLocale::c());
        QCOMPARE(widgets::DecimalSeparator(), '.');

        const std::string utf8 = "Dob\xc3\xb3r wymiennik\xc3\xb3w"; // "Dobór wymienników"
        QCOMPARE(widgets::Q(utf8), QStringLiteral("Dobór wymienników"));
        QCOMPARE(widgets::S(QStringLiteral("Dobór wymienników")), utf8);

        const std::filesystem::path exeDir =
            QCoreApplication::applicationDirPath().toStdU16String();
        QCOMPARE(widgets::AppDirectory(), exeDir);
        widgets::SetAppDirectory("/tmp/varmi-test");
        QCOMPARE(widgets::AppDirectory(), std::filesystem::path("/tmp/varmi-test"));
        widgets::SetAppDirectory({});
        QCOMPARE(widgets::AppDirectory(), exeDir);
    }

    void fontSubstitutions() {
        widgets::InstallFontSubstitutions();
        const struct {
            const char* name;
            const char* substitute;
        } cases[] = {{"Times New Roman CE", "Liberation Serif"},
                     {"Times New Roman", "Liberation Serif"},
                     {"Courier", "Liberation Mono"},
                     {"Courier New", "Liberation Mono"},
                     {"MS Sans Serif", "Liberation Sans"},
                     {"Arial", "Liberation Sans"}};
        for (const auto& c : cases) {
            const QString name = QString::fromLatin1(c.name);
            QVERIFY2(QFont::substitute(name).compare(QLatin1String(c.substitute),
                                                     Qt::CaseInsensitive) == 0,
                     c.name);
            QCOMPARE(QFontInfo(QFont(name)).family(), QLatin1String(c.substitute));
        }
    }

    void gradientBackground_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("grey"); // −1: left unpainted

        // Bands of width / 220 units, band i (from 1) in grey 240 − i.
        QTest::newRow("2200: first band") << 2200 << 0 << 239;
        QTest::newRow("2200: end of band 1") << 2200 << 9 << 239;
        QTest::newRow("2200: band 2") << 2200 << 10 << 238;
        QTest::newRow("2200: last band") << 2200 << 2199 << 20;
        QTest::newRow("2300: band 220") << 2300 << 2195 << 20;
        QTest::newRow("2300: strip beyond 2200") << 2300 << 2250 << -1;
        QTest::newRow("219: no band") << 219 << 0 << -1;
    }
    void gradientBackground() {
        QFETCH(int, width);
        QFETCH(int, x);
        QFETCH(int, grey);
        QImage image(width, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            QPainter painter(&image);
            widgets::PaintGradientBackground(painter, width, 4);
        }
        const QColor expected = grey < 0 ? QColor(Qt::red) : QColor(grey, grey, grey);
        QCOMPARE(image.pixelColor(x, 3), expected);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    TstWidgets test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Widgets.moc"
