#pragma once

#include "profile/SlotTable.h"

#include <QWidget>

#include <array>

class PaletteSlotBox;
class QPushButton;
class ProgramWindows;

// The palette: a narrow topmost window at the top left of the screen showing
// all 57 slots, each ready to be dragged into a web form. Its boxes are the
// one copy of the record while the program runs.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(ProgramWindows& windows);

    // The window the start-up sequence opens beside the palette.
    enum class Companion
    {
        None,
        Welcome,
        Browser
    };

    // The start-up sequence up to its last step: topmost, caption, place, the
    // profile file and the decision by its marker. Returns the window that the
    // last step opens; None when a step failed, after its report.
    Companion Load();

    // The start-up sequence's last step, once the palette is on screen: opens
    // `companion` without taking the activation from the palette, then sets
    // HasProfile to match. A failure to open it is reported and leaves
    // HasProfile alone.
    void openCompanion(Companion companion);

    QString slotText(int slot) const;
    void setSlotText(int slot, const QString& text);
    profile::Record record() const;

    std::array<PaletteSlotBox*, profile::kSlotCount> Text{};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* btnHelp = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createSlotBoxes();
    void createButtons();

    ProgramWindows& m_windows;
};
