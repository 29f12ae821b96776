#include "forms/Form2.h"

#include "app/Module1.h"
#include "forms/Colour.h"
#include "forms/ColouredButton.h"
#include "forms/Form1.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"
#include "platform/ErrorReport.h"
#include "platform/Twips.h"
#include "platform/Window.h"
#include "profile/Derivation.h"
#include "profile/ProfileFile.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBoundaryFinder>

using platform::twips;

namespace {

// Shown while no profile exists: the user is to clear the sample values first.
// The line break parts the instruction from the assurance that nothing is sent.
constexpr char16_t kFirstRunInstruction[] =
    u"『クリア』ボタンをクリックし、あなたの情報を入力した後、"
    u"『内容更新』ボタンをクリックして下さい（後から変更可能です）"
    u"\n"
    u"このボタンをクリックする事で外部にデータが送信される事はありません。";

// Multi-line boxes are only one line high; the document's default margin
// would hide the text's lower half.
constexpr int kMultiLineMargin = 1;

// Qt's word wrap takes time quadratic in the length of a run it may not
// break: a value of 1 MiB with no space, as a damaged or hostile file may
// hold, kept the editor from opening for two to three minutes. Such a value is
// wrapped anywhere, which takes half a second; ordinary text, Japanese
// included, keeps its word wrap.
constexpr qsizetype kLongestRunWordWrapped = 1000;

QTextOption::WrapMode wrapModeFor(const QString& text)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype at = breaks.toNextBoundary(); at != -1; at = breaks.toNextBoundary()) {
        if (at - previous > kLongestRunWordWrapped)
            return QTextOption::WrapAnywhere;
        previous = at;
    }
    return QTextOption::WordWrap;
}

QFont gothic(double points)
{
    QFont font(QString::fromUtf16(platform::kJapaneseGothic));
    font.setPointSizeF(points);
    return font;
}

void applyBoxStyle(QWidget& box, editor::Style style)
{
    const editor::StyleRow& item = editor::kStyles[static_cast<std::size_t>(style)];
    QPalette colours = box.palette();
    colours.setColor(QPalette::Base, toColor(item.background));
    if (item.ownTextColour)
        colours.setColor(QPalette::Text, toColor(item.text));
    box.setPalette(colours);
}

QString controlName(editor::ControlId control)
{
    using editor::Name;
    switch (control.name) {
    case Name::Text:
        return QStringLiteral("Text%1").arg(control.index);
    case Name::項目:
        return QStringLiteral("項目%1").arg(control.index);
    case Name::Command1:
        return QStringLiteral("Command1_%1").arg(control.index);
    case Name::btn内容更新:
        return QStringLiteral("btn内容更新");
    case Name::btnキャンセル:
        return QStringLiteral("btnキャンセル");
    case Name::Label1:
        return QStringLiteral("Label1");
    case Name::Label2:
        return QStringLiteral("Label2");
    case Name::Frame1:
        return QStringLiteral("Frame1");
    }
    return {};
}

} // namespace

Form2::Form2(ProgramWindows& windows) : m_windows(windows)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("内容変更"));
    platform::setFixedDialogFrame(*this,
                                  platform::twipsSize(editor::kClientWidth, editor::kClientHeight));
    paintWhite(*this);
    setFont(gothic(editor::kWindowPoints));
    createControls();
    createHiddenBoxes();
    orderTabs();
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        Text[slot]->setAccessibleName(profile::fieldName(slot));
    Load();
}

void Form2::createControls()
{
    for (const editor::Control& control : editor::kControls) {
        QWidget* widget = createControl(control);
        widget->setObjectName(controlName(control.id()));
        const editor::Place& place = control.place;
        widget->setGeometry(twips(place.left, place.top, place.width, place.height));
        widget->setFont(gothic(control.points));
        if (control.toolTip)
            widget->setToolTip(QString::fromUtf16(control.toolTip));
    }
}

QWidget* Form2::createControl(const editor::Control& control)
{
    using editor::Name;
    const QString text = QString::fromUtf16(control.text);
    const QColor face =
        toColor(editor::kStyles[static_cast<std::size_t>(editor::Style::Button)].background);
    switch (control.name) {
    case Name::Text:
        return Text[control.index] = createEntryBox(control);
    case Name::項目: {
        auto* caption = new QLineEdit(text, this);
        caption->setReadOnly(true);
        // Captions are not data: Tab moves between the entry boxes only.
        caption->setFocusPolicy(Qt::NoFocus);
        // A separator or unit mark is barely wider than its character: without
        // a border of its own it shows the whole character, as on white.
        caption->setFrame(control.style != editor::Style::Mark);
        applyBoxStyle(*caption, control.style);
        return 項目[control.index] = caption;
    }
    case Name::Command1: {
        auto* button = makeColouredButton(this, text, face);
        connect(button, &QPushButton::clicked, this,
                [this, index = control.index] { Command1_Click(index); });
        return Command1[control.index] = button;
    }
    case Name::btn内容更新:
        btn内容更新 = makeColouredButton(this, text, face);
        connect(btn内容更新, &QPushButton::clicked, this, &Form2::btn内容更新_Click);
        return btn内容更新;
    case Name::btnキャンセル:
        btnキャンセル = makeColouredButton(this, text, face);
        connect(btnキャンセル, &QPushButton::clicked, this, &Form2::btnキャンセル_Click);
        return btnキャンセル;
    case Name::Label1:
        Label1 = new QLabel(text, this);
        Label1->setWordWrap(true);
        Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return Label1;
    case Name::Label2:
        return Label2 = new QLabel(text, this);
    case Name::Frame1:
        break;
    }
    return nullptr;
}

QWidget* Form2::createEntryBox(const editor::Control& control)
{
    QWidget* box = nullptr;
    if (control.style == editor::Style::MultiLine) {
        auto* lines = new QPlainTextEdit(this);
        // Tab walks the window's tab order instead of typing a tab; Enter
        // types a line break.
        lines->setTabChangesFocus(true);
        lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines->document()->setDocumentMargin(kMultiLineMargin);
        box = lines;
    } else {
        auto* line = new QLineEdit(this);
        // The line edit's default limit would cut a long value loaded from
        // the palette and the commit would save it cut. No value is longer
        // than the file that holds it; a longer paste is cut here, before it
        // can grow the editor's memory and layout without bound.
        line->setMaxLength(int(profile::kMaxFileBytes));
        box = line;
    }
    applyBoxStyle(*box, control.style);
    return box;
}

void Form2::createHiddenBoxes()
{
    Frame1 = new QGroupBox(QStringLiteral("Frame1"), this);
    Frame1->setObjectName(controlName({editor::Name::Frame1}));
    const editor::Place& frame = editor::kFrame1;
    Frame1->setGeometry(twips(frame.left, frame.top, frame.width, frame.height));
    // Explicitly hidden, so that showing the window never shows the frame.
    Frame1->setVisible(false);
    std::size_t place = 0;
    for (int slot = 0; slot < profile::kSlotCount; ++slot) {
        if (profile::isEntry(slot))
            continue;
        const editor::HiddenPlace& hidden = editor::kHiddenBoxes[place];
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(controlName({editor::Name::Text, slot}));
        box->setGeometry(
            twips(hidden.left, hidden.top, editor::kHiddenWidth, editor::kHiddenHeight));
        box->setFocusPolicy(Qt::NoFocus);
        Text[slot] = box;
        ++place;
    }
}

void Form2::orderTabs()
{
    // Workaround: setTabOrder moves a container together with its children,
    // so chaining the hidden frame and its boxes scrambles the order of the
    // controls after them. Only controls that Tab can reach are chained.
    QWidget* previous = nullptr;
    for (const editor::ControlId id : editor::kTabOrder) {
        QWidget* control = this->control(id);
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
}

void Form2::Load()
{
    platform::placeTopmost(*this);
    platform::trap([this] {
        const Form1& palette = m_windows.palette();
        for (int slot = 0; slot < profile::kSlotCount; ++slot)
            setSlotText(slot, palette.slotText(slot));
        if (m_windows.module().HasProfile == 0)
            Label1->setText(QString::fromUtf16(kFirstRunInstruction));
    });
    platform::centreOnScreen(*this);
    for (const editor::ControlId id : editor::kTabOrder) {
        QWidget* control = this->control(id);
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(this)) {
            control->setFocus();
            break;
        }
    }
}

QWidget* Form2::control(editor::ControlId id) const
{
    using editor::Name;
    switch (id.name) {
    case Name::Text:
        return Text[id.index];
    case Name::項目:
        return 項目[id.index];
    case Name::Command1:
        return Command1[id.index];
    case Name::btn内容更新:
        return btn内容更新;
    case Name::btnキャンセル:
        return btnキャンセル;
    case Name::Label1:
        return Label1;
    case Name::Label2:
        return Label2;
    case Name::Frame1:
        return Frame1;
    }
    return nullptr;
}

QString Form2::slotText(int slot) const
{
    const QWidget* box = Text[slot];
    return box->metaObject()->userProperty().read(box).toString();
}

void Form2::setSlotText(int slot, const QString& text)
{
    QWidget* box = Text[slot];
    // Before the text, whose layout follows at once.
    if (auto* lines = qobject_cast<QPlainTextEdit*>(box))
        lines->setWordWrapMode(wrapModeFor(text));
    box->metaObject()->userProperty().write(box, text);
    // Show the beginning of a long value, not its end.
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setCursorPosition(0);
}

void Form2::Command1_Click(int index)
{
    platform::trap([this, index] {
        const profile::SlotRange range = profile::slotRange(profile::Group(index));
        for (int slot = range.first; slot < range.end; ++slot)
            setSlotText(slot, QString());
    });
}

void Form2::btn内容更新_Click()
{
    platform::trap([this] {
        profile::Record entries;
        for (int slot = 0; slot < profile::kSlotCount; ++slot) {
            if (profile::isEntry(slot))
                entries[slot] = slotText(slot);
        }
        const profile::Record record = profile::derive(entries);
        // Saved before it is shown: a record the save refuses, or one the
        // disk does not take, never reaches the palette, whose values the
        // user drags into forms. So the palette always shows what the file
        // holds.
        Module1& module = m_windows.module();
        profile::SaveProfile(module.profilePath(), record);
        Form1& palette = m_windows.palette();
        for (int slot = 0; slot < profile::kSlotCount; ++slot)
            palette.setSlotText(slot, record[slot]);

        if (module.HasProfile == 0) {
            m_windows.showBrowser();
            module.HasProfile = 1;
        }
        close();
    });
}

void Form2::btnキャンセル_Click()
{
    platform::trap([this] {
        // The editor goes first; only then may the service browser appear.
        ProgramWindows& windows = m_windows;
        close();
        if (windows.module().HasProfile == 0)
            windows.showBrowser();
    });
}
