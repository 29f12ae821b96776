// A drop target that reads dropped text as GTK does: the UTF-8 form
// `text/plain;charset=utf-8` when the source offers it, else the bare
// `text/plain` taken as Latin-1. It fills the screen in one flat colour
// without a pointer, so that a test can find the windows above it on a
// picture of the screen. It prints a line "entered" when a drag of text
// reaches it, and "dropped " with the text in UTF-8 when it is dropped.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

class DropReader : public QWidget
{
public:
    DropReader()
    {
        setAcceptDrops(true);
        setCursor(Qt::BlankCursor);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter(this).fillRect(rect(), Qt::magenta);
    }

    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->mimeData()->hasFormat(QStringLiteral("text/plain"))) {
            event->acceptProposedAction();
            report("entered");
        }
    }

    void dropEvent(QDropEvent* event) override
    {
        const QMimeData& data = *event->mimeData();
        const QString utf8 = QStringLiteral("text/plain;charset=utf-8");
        const QByteArray plain = data.data(QStringLiteral("text/plain"));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        // Qt 6.8's own Wayland reading side hands the UTF-8 form over under
        // the bare name, so here the bare name holds UTF-8 whichever the
        // source offered; the offered names are checked on the source's side.
        const QString text = QString::fromUtf8(data.hasFormat(utf8) ? data.data(utf8) : plain);
#else
        const QString text =
            data.hasFormat(utf8) ? QString::fromUtf8(data.data(utf8)) : QString::fromLatin1(plain);
#endif
        event->acceptProposedAction();
        report("dropped " + text.toUtf8());
    }

private:
    static void report(const QByteArray& line)
    {
        std::fputs((line + '\n').constData(), stdout);
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    DropReader reader;
    reader.showFullScreen();
    return QApplication::exec();
}
