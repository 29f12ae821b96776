#pragma once

#include <QPoint>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

// Runs a script in the page shown and waits for its result.
inline QVariant evaluate(QWebEngineView& view, const QString& script)
{
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 20000))
        qWarning("script did not answer: %s", qPrintable(script));
    return result;
}

// The centre of the page element `id` in the view, scrolled into sight first as
// a user would; null when the page has no such element.
inline QPoint elementCentre(QWebEngineView& view, const QString& id)
{
    const QVariantList centre =
        evaluate(view, QStringLiteral("(function(){ const e = document.getElementById('%1');"
                                      " e.scrollIntoView({block: 'center'});"
                                      " const r = e.getBoundingClientRect();"
                                      " return [Math.round(r.left + r.width / 2),"
                                      " Math.round(r.top + r.height / 2)]; })()")
                           .arg(id))
            .toList();
    return centre.size() == 2 ? QPoint(centre[0].toInt(), centre[1].toInt()) : QPoint();
}
