#pragma once

#include <QWidget>

class Windows;

class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(Windows& windows);

private:
    Windows& m_windows;
};
