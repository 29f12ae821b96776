#pragma once

#include "forms/GuideWindow.h"

class QLabel;
class QPushButton;
class ProgramWindows;

// The welcome window: greets a user who has no profile yet, shows how a value
// is dragged from the palette onto a web form, and leads to the editor.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    explicit Form4(ProgramWindows& windows);

    guide::LabelArray lbl説明;
    guide::LabelArray Label1; // indexes 0, 1 and 3
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    guide::Lines* Line1 = nullptr;
    QPushButton* btn登録 = nullptr;

private:
    void Load();
    void btn登録_Click();

    ProgramWindows& m_windows;
};
