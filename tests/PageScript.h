#pragma once

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

// Runs a script in the page shown and waits for its result.
inline QVariant evaluate(QWebEngineView& view, const QString& script)
{
    constexpr int kTimeoutMs = 20000;
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kTimeoutMs))
        qWarning("script did not answer: %s", qPrintable(script));
    return result;
}
