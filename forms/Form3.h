#pragma once

#include "forms/GuideWindow.h"

class QLabel;
class QPushButton;

// The help window: one illustrated screen on how the program is used.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    Form3();

    QPushButton* Command1 = nullptr;
    guide::LabelArray Label1; // indexes 0, 1 and 2
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    guide::Lines* Line1 = nullptr;

private:
    void Load();
    void Command1_Click();
};
