#include "tools/pictures/FormPicture.h"

#include "forms/Form6.h"
#include "tools/pictures/WindowFrame.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QWebEngineView>

namespace pictures {

namespace {

constexpr QSize kOuter{387, 484};

// The page drawn smaller than on the screen, as a picture of a whole browser
// window must be, yet still legible; it brings the name box under the end of
// the guide lines.
constexpr double kZoom = 0.75;

// The address bar's height is what puts the name box's top edge on
// kNameBoxTop; anything outside this range would not look like one.
constexpr int kMinimumBar = 20, kMaximumBar = 40;

const QString kFindNameBox = QStringLiteral("(function(name) {"
                                            "  const box = document.getElementById('name-kanji');"
                                            "  if (!box) return -1;"
                                            "  box.value = name;"
                                            "  return box.getBoundingClientRect().top;"
                                            "})(%1)");

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QVariant runScript(QWebEngineView& view, const QString& script)
{
    QVariant result;
    QEventLoop loop;
    view.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        loop.quit();
    });
    loop.exec();
    return result;
}

bool load(QWebEngineView& view, const QUrl& url)
{
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    view.load(url);
    loop.exec();
    return ok;
}

// The view's picture once it has stopped changing: laid out and painted.
QImage settledGrab(QWebEngineView& view)
{
    QImage previous;
    for (int attempt = 0; attempt < 50; ++attempt) {
        wait(200);
        QImage current = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (!previous.isNull() && current == previous)
            return current;
        previous = current;
    }
    return previous;
}

// The row of the first horizontal edge at or below `from` in column `x`.
int edgeBelow(const QImage& image, int x, int from)
{
    for (int y = std::max(from, 1); y < image.height() - 1; ++y) {
        if (horizontalEdgeAt(image, {x, y}))
            return y;
    }
    return -1;
}

QImage addressBar(int width, int height, const QUrl& url)
{
    QWidget bar;
    auto* layout = new QHBoxLayout(&bar);
    layout->setContentsMargins(3, 3, 3, 3);
    auto* address = new QLineEdit(url.toString(), &bar);
    address->setReadOnly(true);
    layout->addWidget(address);
    bar.resize(width, height);
    return bar.grab().toImage();
}

} // namespace

bool horizontalEdgeAt(const QImage& image, QPoint point)
{
    const QRect inside = image.rect().adjusted(2, 1, -2, -1);
    if (!inside.contains(point))
        return false;
    const QRgb edge = image.pixel(point);
    return image.pixel(point - QPoint(2, 0)) == edge && image.pixel(point + QPoint(2, 0)) == edge &&
           image.pixel(point - QPoint(0, 1)) != edge && image.pixel(point + QPoint(0, 1)) != edge;
}

QImage renderFormPicture(const QString& name, QString& error)
{
    const QUrl url(QString::fromLatin1(Form6::kStartPage));
    const QSize client = clientSize(kOuter);
    QWebEngineView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(client);
    view.setZoomFactor(kZoom);
    view.show();
    if (!load(view, url)) {
        error = QStringLiteral("the start page did not load");
        return {};
    }
    const double boxTop =
        runScript(view, kFindNameBox.arg(QStringLiteral("'%1'").arg(name))).toDouble();
    if (boxTop < 0) {
        error = QStringLiteral("the start page has no name box");
        return {};
    }

    const int column = kNameBoxTop.x() - kClientOffset.x();
    const int edge = edgeBelow(settledGrab(view), column, int(boxTop * kZoom) - 1);
    const int bar = kNameBoxTop.y() - kClientOffset.y() - edge;
    if (edge < 0 || bar < kMinimumBar || bar > kMaximumBar) {
        error = QStringLiteral("the name box's top edge is not where the guide lines end");
        return {};
    }
    view.resize(client.width(), client.height() - bar);
    const QImage page = settledGrab(view);
    view.hide();

    QImage inside(client, QImage::Format_RGB32);
    QPainter painter(&inside);
    painter.drawImage(0, 0, addressBar(client.width(), bar, url));
    painter.drawImage(0, bar, page);
    painter.end();
    QImage picture = framedWindow(inside, view.title(),
                                  Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                      Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    if (!horizontalEdgeAt(picture, kNameBoxTop)) {
        error = QStringLiteral("the name box moved when the address bar was added");
        return {};
    }
    return picture;
}

} // namespace pictures
