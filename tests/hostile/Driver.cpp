#include "tests/hostile/Driver.h"

#include "core/Catalogue.h"
#include "panel/OperatingPointPanel.h"
#include "shell/DirectoryList.h"
#include "tests/support/PdfProbe.h"
#include "widgets/Environment.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <limits>

namespace hostile {

namespace {

// Controls of the window itself (not of a help window or a popup it owns) that a user can reach.
template <typename T> QList<T*> Reachable(QWidget* window) {
    QList<T*> found;
    for (T* w : window->findChildren<T*>())
        if (w->window() == window && w->isVisible() && w->isEnabled())
            found << w;
    return found;
}

QString NameOf(const QObject* o) {
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                     : o->objectName();
}

// A text for the report: control characters escaped, long texts cut.
QString Shown(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == '\t')
            out += QStringLiteral("\\t");
        else if (c == '\r')
            out += QStringLiteral("\\r");
        else if (c == '\n')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return QLatin1Char('\'') + (out.size() > 80 ? out.left(77) + QStringLiteral("...") : out) +
           QLatin1Char('\'');
}

// Typed into the boxes, and pasted: letters, huge and tiny numbers, exponents, commas, empty
// text, blanks, non-Latin characters.
const char* const kHostileTexts[] = {
    "",
    " ",
    "abc",
    "12abc",
    "1e308",
    "1e309",
    "-1e308",
    "1e300",
    "-1e300",
    "1e-320",
    "4.9e-324",
    "1e-300",
    "999999999999999999999999999999",
    "0.000000000000000000000000001",
    "12,5",
    "1,5e3",
    "250,7",
    "1.5,2",
    ",",
    ".",
    "-",
    "+",
    "e",
    "1e",
    "1e+",
    "1e-",
    "--5",
    "+-3",
    "nan",
    "NaN",
    "inf",
    "-inf",
    "Infinity",
    "0x1F",
    "1d2",
    "1D-2",
    "1 000",
    "\t7\t",
    " 95 ",
    "95.5",
    "90.5",
    "91.5",
    "ąęółśżźćń",
    "文件",
    "٣",
    "１２",
    "€",
    "°C",
    "\"",
    "'",
    "\\",
    "%",
    "1e5",
    "-0",
    "0",
    "7",
    "8",
    "9.5",
    "210",
    "210.5",
    "211",
    "1000",
    "1000.5",
    "1e99999",
    "1e-99999",
    "0.5e1",
    "2e300",
    "-59.99999999999999",
    "1e15",
    "123456789012345678901234567890.5",
};

QString LongDigits(int count, char digit) {
    return QString(count, QLatin1Char(digit));
}

// The keys typed into the boxes; text keys carry their text.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text; // UTF-8; nullptr for keys without text
};

const Key kTextKeys[] = {
    {Qt::Key_0, {}, "0"},       {Qt::Key_1, {}, "1"},        {Qt::Key_2, {}, "2"},
    {Qt::Key_5, {}, "5"},       {Qt::Key_7, {}, "7"},        {Qt::Key_9, {}, "9"},
    {Qt::Key_Period, {}, "."},  {Qt::Key_Comma, {}, ","},    {Qt::Key_Minus, {}, "-"},
    {Qt::Key_Plus, {}, "+"},    {Qt::Key_E, {}, "e"},        {Qt::Key_E, {}, "E"},
    {Qt::Key_D, {}, "d"},       {Qt::Key_Space, {}, " "},    {Qt::Key_A, {}, "a"},
    {Qt::Key_unknown, {}, "ą"}, {Qt::Key_unknown, {}, "文"}, {Qt::Key_unknown, {}, "°"},
    {Qt::Key_3, {}, "3"},       {Qt::Key_4, {}, "4"},        {Qt::Key_8, {}, "8"},
};

const Key kEditKeys[] = {
    {Qt::Key_Backspace, {}, nullptr},
    {Qt::Key_Delete, {}, nullptr},
    {Qt::Key_Left, {}, nullptr},
    {Qt::Key_Right, {}, nullptr},
    {Qt::Key_Home, {}, nullptr},
    {Qt::Key_End, {}, nullptr},
    {Qt::Key_A, Qt::ControlModifier, nullptr},
    {Qt::Key_Z, Qt::ControlModifier, nullptr},
    {Qt::Key_Y, Qt::ControlModifier, nullptr},
    {Qt::Key_X, Qt::ControlModifier, nullptr},
    {Qt::Key_V, Qt::ControlModifier, nullptr},
    {Qt::Key_D, Qt::AltModifier, nullptr},
    {Qt::Key_Up, {}, nullptr},
    {Qt::Key_Down, {}, nullptr},
};

const Key kMoveKeys[] = {
    {Qt::Key_Return, {}, nullptr},
    {Qt::Key_Enter, Qt::KeypadModifier, nullptr},
    {Qt::Key_Tab, {}, nullptr},
    {Qt::Key_Backtab, Qt::ShiftModifier, nullptr},
    {Qt::Key_PageUp, {}, nullptr},
    {Qt::Key_PageDown, {}, nullptr},
    {Qt::Key_Space, {}, " "},
    {Qt::Key_Left, {}, nullptr},
    {Qt::Key_Right, {}, nullptr},
    {Qt::Key_Home, {}, nullptr},
    {Qt::Key_End, {}, nullptr},
    {Qt::Key_Down, Qt::AltModifier, nullptr},
    {Qt::Key_P, Qt::AltModifier, nullptr},
};

// Keys that change the text of a box by themselves; Enter and Tab only make the program act.
bool EditsText(const Key& k) {
    const bool control = k.modifiers.testFlag(Qt::ControlModifier);
    return (k.text != nullptr && !control) || k.key == Qt::Key_Backspace ||
           k.key == Qt::Key_Delete ||
           (control &&
            (k.key == Qt::Key_Z || k.key == Qt::Key_Y || k.key == Qt::Key_X || k.key == Qt::Key_V));
}

QString KeyName(const Key& k) {
    if (k.text != nullptr && k.modifiers == Qt::NoModifier)
        return QString::fromUtf8(k.text);
    return QKeySequence(QKeyCombination(k.modifiers, k.key)).toString();
}

void Send(QWidget* target, const Key& k) {
    if (k.text != nullptr)
        QTest::sendKeyEvent(QTest::Click, target, k.key, QString::fromUtf8(k.text), k.modifiers);
    else
        QTest::keyClick(target, k.key, k.modifiers);
}

// Where the keyboard goes: the focus, when it is in the window, else the window.
QWidget* KeyTarget(QWidget* window) {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus->window() == window)
        return focus;
    return window->focusWidget() != nullptr ? window->focusWidget() : window;
}

bool IsClosing(const QAbstractButton* b) {
    return b->objectName() == QLatin1String("cmdExit");
}

// The message texts the program has: what its windows, printouts and dialogs show. Numbers in
// the range messages are whole numbers.
struct Allowed {
    const char* title; // nullptr: the application's
    const char* text;  // a regular expression of the whole text
};
const Allowed kAllowed[] = {
    {nullptr, "moc cieplna musi być liczbą"},
    {nullptr, "temperatura musi być liczbą"},
    {nullptr, "opór przepływu musi być liczbą"},
    {nullptr, "Wartość mocy cieplnej Q musi być (większa|mniejsza) niż -?\\d{1,5} kW"},
    {nullptr,
     "Wartość dopuszczalnego opru przepływu Dp[12] musi być (większa|mniejsza) niż -?\\d{1,5} kPa"},
    {nullptr, "Wartość temperatury T(11|12|21|22) musi być (większa|mniejsza) niż -?\\d{1,5}°C"},
    {nullptr, "Wartość temperatury T(11|12|21|22) musi się zawierać w przedziale od -?\\d{1,5}°C "
              "do -?\\d{1,5}°C"},
    {nullptr, "Wystąpił błąd drukowania"},
    {nullptr, "Jednostronicowy wydruk wyników doboru wymienników\\r\\n"
              "został wysłany na drukarkę domyślną systemu Windows"},
    {nullptr, "Jednostronicowy wydruk wykresu oporów hydraulicznych dla wymienników\\r\\n"
              "został wysłany na drukarkę domyślną systemu Windows"},
    {nullptr, "Jednostronicowy wydruk wartości obliczeniowych dla wymienników\\r\\n"
              "został wysłany na drukarkę domyślną systemu Windows"},
    {nullptr, "Obliczenia nie powiodły się\\."},
    {nullptr, "Nie można zapisać przebiegu obliczeń w pliku raport\\.txt\\."},
    {nullptr, "Dla podanych wartości nie można wykonać wykresu"},
    {nullptr, "Nie znaleziono pliku pomocy varmi\\.html w katalogu programu\\."},
    {nullptr, "Nie ma pliku <<[^<>]*>> w katalogu .* w menu <<Ustawienia>> wybierz właściwy "
              "katalog z plikami \\.pdf"},
    {nullptr, "Ścieżka do plików opisów nie może zawierać znaku \"\\."},
    {nullptr, "Ścieżka do plików opisów zawiera znaki, których nie można zapisać w pliku "
              "pathpdf\\.txt\\."},
    {nullptr, "Nie można zapisać pliku pathpdf\\.txt w katalogu programu\\. Ścieżka do plików "
              "opisów nie została zmieniona\\."},
    {nullptr, "Plik pathpdf\\.txt jest tylko do odczytu i nie może zostać zmieniony\\. Ścieżka do "
              "plików opisów nie została zmieniona\\."},
    {nullptr, "Nie można zapisać pliku „.*”\\."},
    {"Error", "Błąd napędu!"},
    {"Oglądanie opisów urządzeń",
     "oglądanie opisu urządzeń produkowanych przez 'Skarvel'\\r\\nwymaga obecności w napędzie "
     "dysku CD z plikami \\.pdf \\r\\nlub podania w menu: <<Ustawienia>> ścieżki do katalogu z "
     "tymi plikami\\.\\r\\n Aktualna ścieżka do plików \\.pdf to: .*\\r\\nJeżeli chcesz przejść "
     "do przeglądania opisów naciśnij przycisk 'TAK', jeśli nie przycisk 'NIE'"},
};

bool IsProgramMessage(const widgets::MessageRecord& r) {
    for (const Allowed& a : kAllowed) {
        const QString title = QString::fromUtf8(a.title ? a.title : widgets::kAppTitle);
        const QRegularExpression text(
            QRegularExpression::anchoredPattern(QString::fromUtf8(a.text)),
            QRegularExpression::DotMatchesEverythingOption);
        if (r.title == title && text.match(r.text).hasMatch())
            return true;
    }
    return false;
}

// Why a shown text is wrong: "nan" or "inf" as a word, or more than 20 digits in a row; what
// lies within one of the user's own texts is his.
QString Faulty(const QString& text, const QStringList& userTexts = {}) {
    static const QRegularExpression nonFinite(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                              QRegularExpression::CaseInsensitiveOption |
                                                  QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression digits(QStringLiteral("\\d{21,}"));
    auto users = [&](const QString& found) {
        return std::any_of(userTexts.begin(), userTexts.end(), [&](const QString& t) {
            return t.contains(found, Qt::CaseInsensitive);
        });
    };
    for (auto it = nonFinite.globalMatch(text); it.hasNext();)
        if (const auto m = it.next(); !users(m.captured()))
            return QStringLiteral("shows \"%1\"").arg(m.captured());
    for (auto it = digits.globalMatch(text); it.hasNext();)
        if (const auto m = it.next(); !users(m.captured()))
            return QStringLiteral("shows a number of %1 digits").arg(m.capturedLength());
    return {};
}

// A slider position for a value: rounded to the nearest whole number with halves to even (lrint
// in the default rounding mode), saturated, then kept within the slider's range.
int ExpectedPosition(double value, const QSlider* slider) {
    long long position = 0;
    if (std::isnan(value))
        position = 0;
    else if (value >= std::numeric_limits<int>::max())
        position = std::numeric_limits<int>::max();
    else if (value <= std::numeric_limits<int>::min())
        position = std::numeric_limits<int>::min();
    else
        position = std::llrint(value);
    return static_cast<int>(std::clamp<long long>(position, slider->minimum(), slider->maximum()));
}

// The chart square of every picture box (origin 100, side 800), and the whole picture for texts.
constexpr double kPlotLow = 100, kPlotHigh = 900, kPictureLow = 0, kPictureHigh = 1000;
constexpr double kLineSlack = 0.5; // ends are rounded to whole units
constexpr double kTextSlack = 1;

bool Finite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}
bool Within(QPointF p, double low, double high, double slack) {
    return p.x() >= low - slack && p.x() <= high + slack && p.y() >= low - slack &&
           p.y() <= high + slack;
}
QString Point(QPointF p) {
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

} // namespace

Driver::Driver(std::uint64_t seed, QString pagePath)
    : random_(seed), pagePath_(std::move(pagePath)) {
    widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
        messages_.push_back(r);
        return Chance(0.5); // Yes or No to a question; ignored for OK boxes
    });
}

Driver::~Driver() {
    widgets::SetMessageHandler({});
    widgets::PrintPage::SimulateMissingPrinter(false);
}

int Driver::Pick(int n) {
    return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_);
}

bool Driver::Chance(double p) {
    return std::bernoulli_distribution(p)(random_);
}

QString Driver::RandomNumberText() {
    const char separator = Chance(0.5) ? '.' : ',';
    double value = 0;
    switch (Pick(4)) {
    case 0: // a whole number around the limits
        value = std::uniform_int_distribution<int>(-50, 1100)(random_);
        break;
    case 1: { // a limit, or half a degree beside it
        const double limits[] = {1, 2, 3, 5, 7, 8, 10, 40, 70, 100, 199, 200, 204, 205, 209, 210};
        value = limits[Pick(std::size(limits))] + (Pick(3) - 1) * 0.5;
        break;
    }
    case 2: // any magnitude
        value = std::pow(10.0, std::uniform_real_distribution<double>(-330, 330)(random_));
        break;
    default:
        value = std::uniform_real_distribution<double>(-300, 1300)(random_);
        break;
    }
    if (Chance(0.1))
        value = -value;
    QString text = Chance(0.3) ? QString::number(value, 'g', 1 + Pick(17))
                               : QString::number(value, 'f', Pick(4));
    if (separator == ',')
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    if (Chance(0.1))
        text = QLatin1Char(' ') + text + QLatin1Char(' ');
    return text;
}

QString Driver::HostileText() {
    switch (Pick(6)) {
    case 0:
    case 1:
        return RandomNumberText();
    case 2:
        return Chance(0.5)
                   ? LongDigits(30 + Pick(400), '9')
                   : QStringLiteral("0.") + LongDigits(30 + Pick(400), '0') + QStringLiteral("1");
    default:
        return QString::fromUtf8(kHostileTexts[Pick(std::size(kHostileTexts))]);
    }
}

void Driver::Remember(QLineEdit* box) {
    std::erase_if(typed_, [box](const auto& t) { return t.first.isNull() || t.first == box; });
    typed_.emplace_back(box, box->text());
}

QLineEdit* Driver::ClickIntoBox(QWidget* window) {
    const QList<QLineEdit*> boxes = Reachable<QLineEdit>(window);
    if (boxes.isEmpty())
        return nullptr;
    QLineEdit* box = boxes[Pick(boxes.size())];
    QTest::mouseClick(box, Qt::LeftButton, {},
                      QPoint(1 + Pick(std::max(1, box->width() - 2)), box->height() / 2));
    return box;
}

QString Driver::TypeInto(QWidget* window) {
    QLineEdit* box = ClickIntoBox(window);
    if (box == nullptr)
        return {};
    QStringList keys;
    const int count = 1 + Pick(8);
    for (int i = 0; i < count && window->isVisible(); ++i) {
        const Key k = Chance(0.75) ? kTextKeys[Pick(std::size(kTextKeys))]
                                   : kEditKeys[Pick(std::size(kEditKeys))];
        QWidget* target = KeyTarget(window);
        Send(target, k);
        keys << KeyName(k);
        if (auto* edited = qobject_cast<QLineEdit*>(target); edited && EditsText(k))
            Remember(edited);
    }
    return QStringLiteral("click %1, keys %2").arg(NameOf(box), keys.join(QLatin1Char(' ')));
}

QString Driver::PasteInto(QWidget* window) {
    QLineEdit* box = ClickIntoBox(window);
    if (box == nullptr)
        return {};
    const QString text = HostileText();
    QWidget* target = KeyTarget(window);
    const bool replace = Chance(0.7);
    if (replace)
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(target, Qt::Key_Backspace);
    } else {
        QGuiApplication::clipboard()->setText(text);
        if (QGuiApplication::clipboard()->text() == text) {
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        } else {
            for (QChar c : text) // no clipboard: typed instead
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), {});
        }
    }
    if (auto* edited = qobject_cast<QLineEdit*>(target))
        Remember(edited);
    return QStringLiteral("%1 %2 into %3")
        .arg(replace ? QStringLiteral("paste over") : QStringLiteral("paste"), Shown(text),
             NameOf(target));
}

QString Driver::Confirm(QWidget* window) {
    QWidget* target = KeyTarget(window);
    switch (Pick(4)) {
    case 0:
    case 1:
        QTest::keyClick(target, Qt::Key_Return);
        if (auto* box = qobject_cast<QLineEdit*>(target))
            confirmed_ = box;
        return QStringLiteral("Enter in %1").arg(NameOf(target));
    case 2:
        QTest::keyClick(target, Chance(0.7) ? Qt::Key_Tab : Qt::Key_Backtab,
                        Chance(0.5) ? Qt::NoModifier : Qt::ShiftModifier);
        return QStringLiteral("Tab from %1").arg(NameOf(target));
    default: {
        QList<QWidget*> others;
        for (QWidget* w : Reachable<QWidget>(window))
            if (w != target && (w->focusPolicy() & Qt::ClickFocus) &&
                (qobject_cast<QLineEdit*>(w) || qobject_cast<QSlider*>(w)))
                others << w;
        if (others.isEmpty())
            return {};
        QWidget* other = others[Pick(others.size())];
        other->setFocus(Qt::MouseFocusReason);
        return QStringLiteral("focus from %1 to %2").arg(NameOf(target), NameOf(other));
    }
    }
}

QString Driver::MoveSlider(QWidget* window) {
    const QList<QSlider*> sliders = Reachable<QSlider>(window);
    if (sliders.isEmpty())
        return {};
    QSlider* s = sliders[Pick(sliders.size())];
    switch (Pick(3)) {
    case 0: {
        const QPoint at(Pick(s->width()), s->height() / 2);
        QTest::mouseClick(s, Qt::LeftButton, {}, at);
        return QStringLiteral("click %1 at %2 of %3").arg(NameOf(s)).arg(at.x()).arg(s->width());
    }
    case 1: {
        // A drag: the press takes the focus, the handle follows the mouse.
        if (s->focusPolicy() & Qt::ClickFocus)
            s->setFocus(Qt::MouseFocusReason);
        const int to = std::uniform_int_distribution<int>(s->minimum(), s->maximum())(random_);
        s->setSliderDown(true);
        s->setSliderPosition(to);
        s->setSliderDown(false);
        return QStringLiteral("drag %1 to %2").arg(NameOf(s)).arg(to);
    }
    default: {
        if (s->focusPolicy() & Qt::ClickFocus)
            s->setFocus(Qt::MouseFocusReason);
        const Qt::Key keys[] = {Qt::Key_Left,     Qt::Key_Right, Qt::Key_PageUp,
                                Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End};
        QStringList names;
        const int count = 1 + Pick(4);
        for (int i = 0; i < count; ++i) {
            const Qt::Key k = keys[Pick(std::size(keys))];
            QTest::keyClick(KeyTarget(window), k);
            names << QKeySequence(k).toString();
        }
        return QStringLiteral("keys %1 on %2").arg(names.join(QLatin1Char(' ')), NameOf(s));
    }
    }
}

QString Driver::ChooseInList(QWidget* window) {
    const QList<QComboBox*> lists = Reachable<QComboBox>(window);
    if (lists.isEmpty())
        return {};
    QComboBox* c = lists[Pick(lists.size())];
    if (c->count() == 0)
        return {};
    // As a click on the list and on an entry of its popup: the focus moves only where the list
    // takes it on a click.
    if (c->focusPolicy() & Qt::ClickFocus)
        c->setFocus(Qt::MouseFocusReason);
    const int index = Pick(c->count());
    c->setCurrentIndex(index);
    emit c->activated(index);
    return QStringLiteral("choose %1 in %2").arg(Shown(c->itemText(index)), NameOf(c));
}

QString Driver::ClickOption(QWidget* window) {
    const QList<QRadioButton*> options = Reachable<QRadioButton>(window);
    if (options.isEmpty())
        return {};
    QRadioButton* o = options[Pick(options.size())];
    QTest::mouseClick(o, Qt::LeftButton, {}, o->rect().center());
    return QStringLiteral("click %1").arg(NameOf(o));
}

QString Driver::PressButton(QWidget* window, bool closing) {
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* b : Reachable<QAbstractButton>(window))
        if (!qobject_cast<QRadioButton*>(b) && !qobject_cast<QToolBar*>(b->parent()) &&
            IsClosing(b) == closing)
            buttons << b;
    if (buttons.isEmpty())
        return {};
    QAbstractButton* b = buttons[Pick(buttons.size())];
    QString note;
    if (b->objectName() == QLatin1String("cmdDruk")) {
        const bool missing = Chance(0.25);
        widgets::PrintPage::SimulateMissingPrinter(missing);
        QFile::remove(pagePath_);
        printed_ = true;
        if (missing)
            note = QStringLiteral(" (no printer)");
    }
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    return QStringLiteral("click %1%2").arg(NameOf(b), note);
}

QString Driver::UseChart(QWidget* window) {
    const QList<widgets::PictureBox*> charts = Reachable<widgets::PictureBox>(window);
    if (charts.isEmpty())
        return {};
    widgets::PictureBox* p = charts[Pick(charts.size())];
    if (Chance(0.3)) {
        // Reached by Tab, the chart moves its reading with the keys.
        if (p->focusPolicy() & Qt::TabFocus)
            p->setFocus(Qt::TabFocusReason);
        const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,   Qt::Key_Down,
                                Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        QStringList names;
        const int count = 1 + Pick(5);
        for (int i = 0; i < count; ++i) {
            const Qt::Key k = keys[Pick(std::size(keys))];
            QTest::keyClick(KeyTarget(window), k);
            names << QKeySequence(k).toString();
        }
        return QStringLiteral("keys %1 on %2").arg(names.join(QLatin1Char(' ')), NameOf(p));
    }
    auto anywhere = [&] { return QPoint(Pick(p->width() + 40) - 20, Pick(p->height() + 40) - 20); };
    const Qt::MouseButton buttons[] = {Qt::LeftButton,  Qt::LeftButton,   Qt::LeftButton,
                                       Qt::RightButton, Qt::MiddleButton, Qt::BackButton};
    const Qt::MouseButton button = buttons[Pick(std::size(buttons))];
    QStringList steps;
    QPoint at = anywhere();
    QTest::mousePress(p, button, {}, at);
    steps << QStringLiteral("press %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y());
    const bool second = Chance(0.15);
    const Qt::MouseButton other = button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
    if (second)
        QTest::mousePress(p, other, {}, at);
    const int moves = Pick(6);
    for (int i = 0; i < moves; ++i) {
        at = anywhere();
        QTest::mouseMove(p, at);
        steps << QStringLiteral("move %1,%2").arg(at.x()).arg(at.y());
    }
    if (second)
        QTest::mouseRelease(p, other, {}, at);
    QTest::mouseRelease(p, button, {}, at);
    return QStringLiteral("%1: %2").arg(NameOf(p), steps.join(QStringLiteral(", ")));
}

QString Driver::UseGrid(QWidget* window) {
    const QList<QTableWidget*> grids = Reachable<QTableWidget>(window);
    if (grids.isEmpty())
        return {};
    QTableWidget* g = grids[Pick(grids.size())];
    const int row = Pick(g->rowCount()), column = Pick(g->columnCount());
    const QRect cell = g->visualRect(g->model()->index(row, column));
    if (cell.isValid())
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    const Key keys[] = {{Qt::Key_Down, {}, nullptr},
                        {Qt::Key_Right, {}, nullptr},
                        {Qt::Key_PageDown, {}, nullptr},
                        {Qt::Key_End, Qt::ControlModifier, nullptr},
                        {Qt::Key_C, Qt::ControlModifier, nullptr},
                        {Qt::Key_A, Qt::ControlModifier, nullptr},
                        {Qt::Key_F2, {}, nullptr},
                        {Qt::Key_Delete, {}, nullptr},
                        {Qt::Key_5, {}, "5"}};
    const Key k = keys[Pick(std::size(keys))];
    QWidget* target = KeyTarget(window);
    Send(target, k);
    if (auto* edited = qobject_cast<QLineEdit*>(target); edited && EditsText(k))
        Remember(edited);
    return QStringLiteral("grid %1 cell %2,%3, key %4")
        .arg(NameOf(g))
        .arg(row)
        .arg(column)
        .arg(KeyName(k));
}

QString Driver::PressKey(QWidget* window) {
    QWidget* target = KeyTarget(window);
    Key k{};
    if (Chance(0.08))
        k = {Qt::Key_Escape, {}, nullptr};
    else if (Chance(0.08))
        k = {Qt::Key_F1, {}, nullptr};
    else if (Chance(0.5))
        k = kMoveKeys[Pick(std::size(kMoveKeys))];
    else
        k = Chance(0.5) ? kTextKeys[Pick(std::size(kTextKeys))]
                        : kEditKeys[Pick(std::size(kEditKeys))];
    Send(target, k);
    if (auto* edited = qobject_cast<QLineEdit*>(target); edited && EditsText(k))
        Remember(edited);
    if (k.key == Qt::Key_Return)
        confirmed_ = qobject_cast<QLineEdit*>(target);
    return QStringLiteral("key %1 to %2").arg(KeyName(k), NameOf(target));
}

QString Driver::UseToolbar(QWidget* window) {
    const QList<QToolBar*> bars = Reachable<QToolBar>(window);
    if (bars.isEmpty())
        return {};
    QToolBar* bar = bars[Pick(bars.size())];
    QList<QAction*> actions;
    for (QAction* a : bar->actions())
        if (!a->isSeparator() && bar->widgetForAction(a) != nullptr)
            actions << a;
    if (actions.isEmpty())
        return {};
    QAction* a = actions[Pick(actions.size())];
    // The exit button seldom: it closes the window.
    if (a->data().toString() == QStringLiteral("wyjście") && !Chance(0.1))
        return {};
    QTest::mouseClick(bar->widgetForAction(a), Qt::LeftButton);
    return QStringLiteral("toolbar %1").arg(Shown(a->data().toString()));
}

QString Driver::UseDirectories(QWidget* window) {
    const QList<shell::DirectoryList*> lists = Reachable<shell::DirectoryList>(window);
    if (lists.isEmpty())
        return {};
    shell::DirectoryList* list = lists[Pick(lists.size())];
    // Only the test's own directories: the rest of the file system tells nothing more, and it
    // would not be the same when a failure is replayed.
    const QString here = QDir::fromNativeSeparators(list->Path());
    QList<int> rows;
    for (int r = 0; r < list->count(); ++r) {
        const QString name = list->item(r)->text();
        const QString target = QDir::cleanPath(here + QLatin1Char('/') + name);
        if (!sandbox_.isEmpty() && (target + QLatin1Char('/')).startsWith(sandbox_ + '/'))
            rows << r;
    }
    if (rows.isEmpty())
        return {};
    const int row = rows[Pick(rows.size())];
    const QString entry = list->item(row)->text();
    list->setFocus(Qt::MouseFocusReason);
    list->setCurrentRow(row);
    if (Chance(0.5))
        QTest::keyClick(list, Qt::Key_Return);
    else
        list->EnterRow(row);
    return QStringLiteral("enter %1 in %2").arg(Shown(entry), NameOf(list));
}

QString Driver::Step(QWidget* window) {
    confirmed_ = nullptr;
    printed_ = false;
    using Action = QString (Driver::*)(QWidget*);
    struct Weighted {
        int weight;
        Action action;
    };
    static const Weighted kActions[] = {
        {20, &Driver::TypeInto},   {15, &Driver::PasteInto},    {12, &Driver::Confirm},
        {12, &Driver::MoveSlider}, {5, &Driver::ChooseInList},  {5, &Driver::ClickOption},
        {12, &Driver::UseChart},   {3, &Driver::UseGrid},       {6, &Driver::PressKey},
        {4, &Driver::UseToolbar},  {3, &Driver::UseDirectories}};
    int total = 0;
    for (const Weighted& w : kActions)
        total += w.weight;
    for (int attempt = 0; attempt < 50; ++attempt) {
        QString done;
        if (Chance(0.08)) {
            done = PressButton(window, false);
        } else if (Chance(0.01)) {
            done = PressButton(window, true);
        } else {
            int roll = Pick(total);
            for (const Weighted& w : kActions) {
                if (roll < w.weight) {
                    done = (this->*w.action)(window);
                    break;
                }
                roll -= w.weight;
            }
        }
        if (!done.isEmpty())
            return done;
    }
    return QStringLiteral("nothing to do");
}

QString Driver::CheckTexts(QWidget* window) const {
    auto inWindow = [window](const QWidget* w) { return w->window() == window; };
    if (QString f = Faulty(window->windowTitle()); !f.isEmpty())
        return QStringLiteral("the window title %1").arg(f);
    for (const QLabel* l : window->findChildren<QLabel*>())
        if (QString f = Faulty(l->text()); inWindow(l) && !f.isEmpty())
            return QStringLiteral("label %1 %2: %3").arg(NameOf(l), f, Shown(l->text()));
    // The settings dialog shows directories of the file system and the PDF path the user stored.
    QStringList paths{widgets::Q(kod::PdfPath)};
    for (const shell::DirectoryList* d : window->findChildren<shell::DirectoryList*>())
        paths << d->Path();
    for (const QLineEdit* e : window->findChildren<QLineEdit*>()) {
        if (!inWindow(e) || paths.contains(e->text()))
            continue;
        const bool typed = std::any_of(typed_.begin(), typed_.end(), [e](const auto& t) {
            return t.first == e && t.second == e->text();
        });
        if (QString f = Faulty(e->text()); !typed && !f.isEmpty())
            return QStringLiteral("box %1 %2: %3").arg(NameOf(e), f, Shown(e->text()));
    }
    for (const QTableWidget* g : window->findChildren<QTableWidget*>()) {
        for (int r = 0; r < g->rowCount(); ++r) {
            for (int c = 0; c < g->columnCount(); ++c) {
                const QTableWidgetItem* item = g->item(r, c);
                if (QString f = Faulty(item ? item->text() : QString()); !f.isEmpty())
                    return QStringLiteral("grid %1 cell %2,%3 %4: %5")
                        .arg(NameOf(g))
                        .arg(r)
                        .arg(c)
                        .arg(f, Shown(item->text()));
            }
        }
    }
    for (const QComboBox* c : window->findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i)
            if (QString f = Faulty(c->itemText(i)); !f.isEmpty())
                return QStringLiteral("list %1 %2").arg(NameOf(c), f);
    for (const widgets::PictureBox* p : window->findChildren<widgets::PictureBox*>())
        for (const widgets::PictureBox::Op& op : p->Operations())
            if (QString f = Faulty(op.text); !f.isEmpty())
                return QStringLiteral("chart %1 text at %2 %3: %4")
                    .arg(NameOf(p), Point(op.a), f, Shown(op.text));
    return {};
}

QString Driver::CheckSliders(QWidget* window) const {
    struct Pair {
        const QLineEdit* box;
        const QSlider* slider;
        bool confirmedByEnter; // Enter confirms the box even while it keeps the focus
    };
    std::vector<Pair> pairs;
    if (const auto* p = window->findChild<panel::OperatingPointPanel*>()) {
        for (int i = 0; i < panel::kFieldCount; ++i) {
            const auto f = static_cast<panel::Field>(i);
            if (p->Has(f))
                pairs.push_back({p->Box(f), p->Slider(f), true});
        }
    }
    // The nomogram's temperatures: an entry that fails its check keeps the focus, and the slider
    // keeps its place, so only the boxes left behind are confirmed.
    if (window->objectName() == QLatin1String("frmHydra")) {
        for (const char* n : {"1", "2"})
            pairs.push_back({window->findChild<QLineEdit*>(QStringLiteral("txT") + n),
                             window->findChild<QSlider*>(QStringLiteral("slT") + n), false});
    }
    for (const Pair& pair : pairs) {
        if (pair.box == nullptr || pair.slider == nullptr)
            continue;
        const bool focused = window->focusWidget() == pair.box;
        if (focused && !(pair.confirmedByEnter && confirmed_ == pair.box))
            continue;
        const int expected = ExpectedPosition(panel::ParseNumber(pair.box->text()), pair.slider);
        if (pair.slider->value() != expected)
            return QStringLiteral("slider %1 at %2 (range %3..%4) but box %5 holds %6")
                .arg(NameOf(pair.slider))
                .arg(pair.slider->value())
                .arg(pair.slider->minimum())
                .arg(pair.slider->maximum())
                .arg(NameOf(pair.box), Shown(pair.box->text()));
    }
    return {};
}

QString Driver::CheckCharts(QWidget* window) const {
    for (const widgets::PictureBox* p : window->findChildren<widgets::PictureBox*>()) {
        for (const widgets::PictureBox::Op& op : p->Operations()) {
            const bool text = op.kind == widgets::PictureBox::Op::TextOp;
            const bool finite = Finite(op.a) && (text || Finite(op.b));
            const bool inside = text ? Within(op.a, kPictureLow, kPictureHigh, kTextSlack)
                                     : Within(op.a, kPlotLow, kPlotHigh, kLineSlack) &&
                                           Within(op.b, kPlotLow, kPlotHigh, kLineSlack);
            if (!finite || !inside)
                return QStringLiteral("chart %1 draws %2 %3 %4 %5")
                    .arg(NameOf(p),
                         text ? QStringLiteral("text") : QStringLiteral("a line or rectangle"),
                         Shown(op.text), Point(op.a), text ? QString() : Point(op.b));
        }
        // Handles are given out from 0; an unknown handle answers with no pen.
        for (int h = 0; p->LineObject(h).style != Qt::NoPen; ++h) {
            const widgets::PictureBox::Op& line = p->LineObject(h);
            if (!p->IsLineObjectVisible(h))
                continue;
            if (!Finite(line.a) || !Finite(line.b) ||
                !Within(line.a, kPlotLow, kPlotHigh, kLineSlack) ||
                !Within(line.b, kPlotLow, kPlotHigh, kLineSlack))
                return QStringLiteral("chart %1 shows line object %2 from %3 to %4")
                    .arg(NameOf(p))
                    .arg(h)
                    .arg(Point(line.a), Point(line.b));
        }
    }
    return {};
}

QString Driver::CheckMessages() {
    for (; checkedMessages_ < static_cast<int>(messages_.size()); ++checkedMessages_) {
        const widgets::MessageRecord& r = messages_[static_cast<std::size_t>(checkedMessages_)];
        if (!IsProgramMessage(r))
            return QStringLiteral("a message that is not the program's: [%1] %2")
                .arg(r.title, Shown(r.text));
        // The PDF path in the texts is the user's own.
        QString shown = r.text + QLatin1Char(' ') + r.detail;
        if (!kod::PdfPath.empty())
            shown.remove(widgets::Q(kod::PdfPath));
        if (QString f = Faulty(shown); !f.isEmpty())
            return QStringLiteral("a message %1: %2 %3").arg(f, Shown(r.text), Shown(r.detail));
    }
    return {};
}

// After a print button: a page was written exactly when the program said it was sent, and it
// shows nothing non-finite and no absurd number beyond what the user typed.
QString Driver::CheckPage(std::size_t firstMessage) {
    if (!printed_)
        return {};
    printed_ = false;
    bool sent = false, failed = false;
    for (std::size_t i = firstMessage; i < messages_.size(); ++i) {
        const widgets::MessageRecord& r = messages_[i];
        sent = sent || r.text.contains(QStringLiteral("został wysłany"));
        failed = failed || r.text == QStringLiteral("Wystąpił błąd drukowania");
    }
    const bool written = QFile::exists(pagePath_);
    if (sent && !written)
        return QStringLiteral("the printout was reported sent but no page was written");
    if (failed && written)
        return QStringLiteral("the printout was reported failed but a page was written");
    if (!written)
        return {};
    const testsupport::PdfProbe page(pagePath_);
    if (page.PageCount() != 1)
        return QStringLiteral("the printout has %1 pages").arg(page.PageCount());
    // The page repeats some boxes as typed.
    QStringList typed;
    for (const auto& [box, text] : typed_)
        if (!box.isNull())
            typed << text;
    const QString text = page.Text();
    QFile::remove(pagePath_);
    if (QString f = Faulty(text, typed); !f.isEmpty())
        return QStringLiteral("the printed page %1").arg(f);
    return {};
}

QString Driver::Check(QWidget* window) {
    const auto stepMessages = static_cast<std::size_t>(checkedMessages_);
    QString failure = CheckMessages();
    if (failure.isEmpty())
        failure = CheckPage(stepMessages);
    if (failure.isEmpty() && window->isVisible())
        failure = CheckTexts(window);
    if (failure.isEmpty() && window->isVisible())
        failure = CheckSliders(window);
    if (failure.isEmpty())
        failure = CheckCharts(window);
    for (const auto& check : extraChecks_)
        if (failure.isEmpty())
            failure = check();
    return failure;
}

} // namespace hostile
