#pragma once

// Workaround: moc cannot parse the layout table's Japanese enumerators.
#ifndef Q_MOC_RUN
#include "forms/EditorLayout.h"
#endif
#include "profile/SlotTable.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ProgramWindows;

// The profile editor: the user types the 37 entry slots here; nothing takes
// effect until the commit rebuilds the palette and saves the file. It copies
// the palette's values when it is created; opening it again while it is open
// only brings it forward, with what the user has typed.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(ProgramWindows& windows);

    QString slotText(int slot) const;
    void setSlotText(int slot, const QString& text);

    // Box i holds the editor's copy of slot i; the boxes of the derived slots
    // sit in the never shown Frame1.
    std::array<QWidget*, profile::kSlotCount> Text{};
    std::array<QLineEdit*, editor::kCaptionCount> 項目{};
    std::array<QPushButton*, editor::kClearButtonCount> Command1{};
    QPushButton* btn内容更新 = nullptr;
    QPushButton* btnキャンセル = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* Frame1 = nullptr;

private:
    void createControls();
    QWidget* createControl(const editor::Control& control);
    QWidget* createEntryBox(const editor::Control& control);
    void createHiddenBoxes();
    QWidget* control(editor::ControlId id) const;
    void orderTabs();
    void Load();

    void Command1_Click(int index);
    void btn内容更新_Click();
    void btnキャンセル_Click();

    ProgramWindows& m_windows;
};
