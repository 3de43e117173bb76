// What any program showing the main window's first page must do: start Qt
// Widgets, map one frameless 249x345 window and paint on it the main window's
// page picture, drawn from its SVG as the program draws it, and a page of text
// in the program's font (Liberation Sans at the windows' 10 pixels), which
// brings in the font database, fontconfig and text shaping as any label does.
// With --bare it paints the window alone: what Qt Widgets costs by itself.
#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

#include <cstring>

namespace {

class TextPage : public QWidget {
public:
    TextPage() : QWidget(nullptr, Qt::FramelessWindowHint), page_(QStringLiteral(":/fundo_principal.svg"))
    {
        setFixedSize(249, 345);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(10);
        setFont(font);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        page_.render(&painter, QRectF(rect()));
        // As many lines as the page holds.
        for (int line = 0; line < 17; ++line)
            painter.drawText(12, 18 + line * 19,
                             QStringLiteral("%1. Lembrete de exemplo, vence às %2:30 — ação")
                                 .arg(line + 1)
                                 .arg(line + 7));
    }

private:
    QSvgRenderer page_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setFixedSize(249, 345);
        window.show();
        return app.exec();
    }
    TextPage window;
    window.show();
    return app.exec();
}
