#pragma once
// The widget gallery: every kit widget and every skin picture at one scale.

#include <QWidget>

class Gallery : public QWidget
{
    Q_OBJECT

public:
    explicit Gallery(double scale, QWidget *parent = nullptr);

    // The skin pictures the gallery shows, relative to the skin folder.
    static QStringList skinPictures();
    // The page of skin pictures, whole (not only the part scrolled into view).
    QWidget *picturesPage() const { return m_pictures; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildKit(QWidget *page);
    void buildPictures(QWidget *page);
    double m_scale;
    QWidget *m_pictures = nullptr;
};
