#include "platform/qt/aids_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_draw/aids_drawing.h"
#include "platform/qt_draw/aids_widget.h"

namespace involvo {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Files are drawn at twice the window's picture, and never small.
QSize FileSize(const QWidget* picture) {
    const QSize shown = picture->size();
    return QSize(std::max(800, shown.width() * 2), std::max(900, shown.height() * 2));
}

}  // namespace

QtAidsView::QtAidsView(AidsEvents& events) : events_(events), window_(std::make_unique<QWidget>()) {
    QWidget* w = window_.get();
    w->setObjectName(QStringLiteral("MeasuringAids"));
    w->setWindowFlag(Qt::Window);
    auto* layout = new QVBoxLayout(w);
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("AidsNote"));
    note_->setWordWrap(true);
    layout->addWidget(note_);
    picture_ = new qtdraw::AidsWidget;
    layout->addWidget(picture_, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption));
        b->setObjectName(QString::fromUtf8(name));
        buttons->addWidget(b);
        return b;
    };
    QPushButton* fit = button("CmdFit", "&Fit");
    fit->setToolTip(QStringLiteral("Fit the drawing to the window (or double-click it); zoom with the mouse wheel"));
    buttons->addStretch(1);
    QPushButton* svg = button("CmdSaveSvg", "Save as S&VG...");
    QPushButton* png = button("CmdSavePng", "Save as P&NG...");
    QPushButton* print = button("CmdPrint", "&Print...");
    QPushButton* close = button("CmdClose", "&Close");
    layout->addLayout(buttons);

    QObject::connect(fit, &QPushButton::clicked, picture_, &qtdraw::AidsWidget::Fit);
    QObject::connect(svg, &QPushButton::clicked, w, [this] { events_.Command(AidsCommand::SaveSvg); });
    QObject::connect(png, &QPushButton::clicked, w, [this] { events_.Command(AidsCommand::SavePng); });
    QObject::connect(print, &QPushButton::clicked, w, [this] { events_.Command(AidsCommand::Print); });
    QObject::connect(close, &QPushButton::clicked, w, &QWidget::close);
}

QtAidsView::~QtAidsView() = default;

void QtAidsView::Display(const AidsContent& content) {
    window_->setWindowTitle(Q(content.caption));
    note_->setText(Q(content.note));
    picture_->SetDrawing(qtdraw::AidsDrawing{content.picture, content.aids, content.balls, content.chordalThickness});
}

void QtAidsView::Show() {
    window_->show();
    window_->raise();
    window_->activateWindow();
}

bool QtAidsView::IsShown() const { return window_->isVisible(); }

std::string QtAidsView::SaveSvg(const std::string& file) {
    return qtdraw::SaveSvg(Q(file), picture_->Drawing(), FileSize(picture_)).toStdString();
}

std::string QtAidsView::SavePng(const std::string& file) {
    return qtdraw::SavePng(Q(file), picture_->Drawing(), FileSize(picture_)).toStdString();
}

std::optional<std::string> QtAidsView::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window_.get());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QString error = qtdraw::PrintAids(printer, picture_->Drawing());
    if (error.isEmpty()) return std::nullopt;
    return error.toStdString();
}

void QtAidsView::MessageBox(const std::string& text, const std::string& title, MsgIcon icon) {
    const QMessageBox::Icon qicon = icon == MsgIcon::Critical      ? QMessageBox::Critical
                                    : icon == MsgIcon::Exclamation ? QMessageBox::Warning
                                                                   : QMessageBox::Information;
    QMessageBox box(qicon, Q(title), Q(text), QMessageBox::Ok, window_.get());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace involvo
