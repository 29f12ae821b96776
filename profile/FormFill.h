#pragma once

#include "profile/SlotTable.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace profile {

struct FieldOption
{
    QString text;
    QString value;
};

// What the page says about one box of the form, in document order. Every text
// comes from the page and may be anything, of any length.
struct FieldDescription
{
    QString tag;          // "input", "select" or "textarea", lower case
    QString type;         // input type, lower case ("text", "email", "tel", "date", "password",
                          // "radio", "checkbox", "number", ...); "" for select/textarea
    QString autocomplete; // the attribute as written, lower case
    QString inputMode, name, id, placeholder, pattern, title;
    QString label;              // text of its <label>s, without the text of controls inside them
    QString ariaLabel;          // aria-label, else the joined text of the aria-labelledby elements
    QString rowLabel;           // the heading of its row: the <th> or first cell of its table row,
                                // the <dt> before its <dd>, else the text of the nearest row-like
                                // block before the first control in that block
    QString before;             // the text between the previous control of the form (or the start
                                // of its row block) and this box
    QString after;              // the text between this box and the next control (or the end of its
                                // row block): "-", "年", "月", "日", "才", "@" ...
    QString value;              // radio/checkbox: its value attribute; others: ""
    int maxLength = -1;         // -1 when absent
    int size = -1;              // -1 when absent
    int row = 0;                // boxes with the same number stand in the same row block
    int selectedIndex = -1;     // select: the selected option's index
    bool hasText = false;       // already holds text (a select: a chosen option with a non-empty
                                // value; a radio or checkbox: checked)
    QList<FieldOption> options; // select: its options in order
};

// How to fill one box.
struct FieldFill
{
    int field;     // index into the description list
    QString value; // text to type; for a select the option *value* to choose;
                   // for a radio the literal "checked" (check this one)

    friend bool operator==(const FieldFill&, const FieldFill&) = default;
};

// The fills for one form, from the palette's 57 values. Never a box with
// hasText; never a checkbox; a password box only when the form also asks for
// other profile data or the box is autocomplete="new-password"; when unsure,
// no fill.
QList<FieldFill> planFormFill(const QList<FieldDescription>& fields, const Record& record);

// The description from the JSON object the page side sends (keys = member
// names above, options as [{"text":…,"value":…}]); missing or mistyped keys
// give the defaults.
FieldDescription fieldDescriptionFromJson(const QJsonObject& object);

} // namespace profile
