#include "ExhibitWindow.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

ExhibitWindow::ExhibitWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExhibitWindow"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("ExhibitArea"));
    m_scrollArea->setAlignment(Qt::AlignCenter);
    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("ExhibitPicture"));
    m_picture->setTextFormat(Qt::PlainText);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setWordWrap(true);
    m_scrollArea->setWidget(m_picture);
    layout->addWidget(m_scrollArea);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool ExhibitWindow::setExhibit(const QString& title, const QByteArray& data)
{
    setWindowTitle(title);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    const bool readable = !image.isNull();
    if (readable) {
        m_picture->setPixmap(QPixmap::fromImage(image));
        m_picture->resize(image.size());
        m_scrollArea->setWidgetResizable(false);
    } else {
        m_picture->setPixmap(QPixmap());
        m_picture->setText(QStringLiteral("This exhibit cannot be shown: its data is not a "
                                          "picture that this program can read."));
        m_scrollArea->setWidgetResizable(true);
    }
    // As large as the picture needs, within the screen.
    QSize wanted = readable ? image.size() + QSize(40, 80) : QSize(420, 160);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
    resize(wanted);
    return readable;
}
