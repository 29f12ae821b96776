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

    // The start-up sequence: topmost, caption, place, profile file, and the
    // welcome window or the service browser by the file's marker.
    void Load();

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
