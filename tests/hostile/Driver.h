#pragma once

#include "widgets/MessageBox.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <random>
#include <utility>
#include <vector>

class QLineEdit;
class QWidget;

// Random user input for the program's windows, and the rules that must hold after every step.
namespace hostile {

class Driver {
public:
    // pagePath: where the printouts go (PrintPage::RedirectToPdf). Answers every message box
    // itself while it lives.
    Driver(std::uint64_t seed, QString pagePath);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // One random action on the controls of `window`: typing, pasting, confirming, sliders, lists,
    // options, buttons (the exit buttons seldom), the chart's mouse. Returns what was done.
    QString Step(QWidget* window);

    // The first broken rule after the latest step, or an empty text: texts without "nan", "inf"
    // or runs of more than 20 digits, sliders agreeing with their confirmed boxes, charts inside
    // their rectangles, only the program's own messages, printed pages clean.
    QString Check(QWidget* window);

    // The directory lists are walked only below this directory.
    void SetDirectorySandbox(const QString& dir) { sandbox_ = dir; }

    // A rule of the caller's own, checked with the others.
    void AddCheck(std::function<QString()> check) { extraChecks_.push_back(std::move(check)); }

    int Pick(int n); // 0 .. n - 1
    bool Chance(double p);
    std::mt19937_64& Random() { return random_; }

    int MessageCount() const { return static_cast<int>(messages_.size()); }

private:
    QString TypeInto(QWidget* window);
    QString PasteInto(QWidget* window);
    QString Confirm(QWidget* window);
    QString MoveSlider(QWidget* window);
    QString ChooseInList(QWidget* window);
    QString ClickOption(QWidget* window);
    QString PressButton(QWidget* window, bool closing);
    QString UseChart(QWidget* window);
    QString UseGrid(QWidget* window);
    QString PressKey(QWidget* window);
    QString UseToolbar(QWidget* window);
    QString UseDirectories(QWidget* window);

    QString HostileText();
    QString RandomNumberText();
    QLineEdit* ClickIntoBox(QWidget* window);
    void Remember(QLineEdit* box);

    QString CheckTexts(QWidget* window) const;
    QString CheckSliders(QWidget* window) const;
    QString CheckCharts(QWidget* window) const;
    QString CheckMessages();
    QString CheckPage(std::size_t firstMessage); // the step's messages start there

    std::mt19937_64 random_;
    QString pagePath_;
    std::vector<widgets::MessageRecord> messages_;
    int checkedMessages_ = 0;
    // What the test itself left in each box: the user's own text is not the program's output.
    std::vector<std::pair<QPointer<QLineEdit>, QString>> typed_;
    QPointer<QLineEdit> confirmed_; // Enter was the last key pressed in this box
    bool printed_ = false;
    std::vector<std::function<QString()>> extraChecks_;
    QString sandbox_;
};

} // namespace hostile
