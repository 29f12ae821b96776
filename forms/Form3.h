#pragma once

#include <QWidget>

class Form3 : public QWidget
{
    Q_OBJECT

public:
    Form3();
};
