#pragma once

#include <QWidget>

class Windows;

class Form4 : public QWidget
{
    Q_OBJECT

public:
    explicit Form4(Windows& windows);

private:
    Windows& m_windows;
};
