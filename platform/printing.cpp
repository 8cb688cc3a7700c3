// A window's picture on paper: one page with the title above the picture, through Qt's print
// dialog or straight into a PDF document.
#include "platform/qtinternal.h"

#include "base/programname.h"

#include <QApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace platform {

namespace {

constexpr double headingpoints = 12;
constexpr double marginmillimetres = 15;
constexpr int pdfresolution = 300;

QFont headingfont() {
    QFont font = QApplication::font();
    font.setPointSizeF(headingpoints);
    font.setBold(true);
    return font;
}

// The heading on the first line of the page, shortened with "…" where it is wider than the page.
int paintheading(QPainter& painter, const QRect& page, const QString& heading) {
    painter.setFont(headingfont());
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect line(page.left(), page.top(), page.width(), metrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(heading, Qt::ElideRight, page.width()));
    return line.height() * 3 / 2;
}

// The picture as large as the room below the heading allows, centred across the page. The
// pixels go into the document as they are: a chart's thin curves must not blur.
void paintpage(QPainter& painter, const Image& image, const QString& heading) {
    const QRect page(0, 0, painter.device()->width(), painter.device()->height());
    const int top = paintheading(painter, page, heading);
    const QRect room = page.adjusted(0, top, 0, 0);
    const QImage picture = qtimage(image).convertToFormat(QImage::Format_RGB32);
    const QSize size = picture.size().scaled(room.size(), Qt::KeepAspectRatio);
    const QRect target(room.left() + (room.width() - size.width()) / 2, room.top(), size.width(),
                       size.height());
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture);
}

bool paintinto(QPagedPaintDevice& device, const Image& image, const std::string& heading) {
    QPainter painter;
    if (image.width <= 0 || image.height <= 0 || !painter.begin(&device)) {
        return false;
    }
    paintpage(painter, image, QString::fromStdString(heading));
    return painter.end();
}

} // namespace

std::string pdfdata(const Image& image, const std::string& heading) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(
        QMarginsF(marginmillimetres, marginmillimetres, marginmillimetres, marginmillimetres),
        QPageLayout::Millimeter);
    writer.setResolution(pdfresolution);
    writer.setTitle(QString::fromStdString(heading));
    writer.setCreator(QString::fromStdString(base::programname()));
    if (!paintinto(writer, image, heading)) {
        return {};
    }
    return bytes.toStdString();
}

Printout printwithdialog(const Image& image, const std::string& heading) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(heading));
    printer.setCreator(QString::fromStdString(base::programname()));
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) {
        return {PrintStatus::Cancelled, {}};
    }
    const QString destination =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    const bool printed = paintinto(printer, image, heading);
    return {printed ? PrintStatus::Printed : PrintStatus::Failed, destination.toStdString()};
}

} // namespace platform
