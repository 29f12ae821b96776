#pragma once

#include "profile/SlotTable.h"

#include <QWidget>

#include <functional>

namespace platform {
class Browser;
}

// The service browser: the sign-up service's pages beside the palette, so that
// slot values can be dragged straight into their forms. It has no controls of
// its own; the user moves on only through the pages' links and forms.
class Form6 : public QWidget
{
    Q_OBJECT

public:
    // The service's start page, bundled with the program so that it works
    // offline and the user can try dragging at once.
    static constexpr char kStartPage[] = "qrc:/start/index.html";

    // The record as the palette holds it now; read only when the user asks
    // to fill a form.
    using RecordSource = std::function<profile::Record()>;

    // Creates the window and runs Load; the caller shows it.
    explicit Form6(RecordSource record);

    // Places the window beside the palette and opens the start page.
    void Load();

    platform::Browser* brwWebBrowser = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Lets the user fill forms in `view` and in the pop-ups it opens.
    void letFill(platform::Browser& view);

    RecordSource m_record;
};
