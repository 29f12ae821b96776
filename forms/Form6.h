#pragma once

#include <QWidget>

class Form6 : public QWidget
{
    Q_OBJECT

public:
    Form6();
};
