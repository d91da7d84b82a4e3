#include "AlignLayout.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {
const char *const AlignProperty = "bceAlign";
}

void AlignLayout::install(QWidget *container)
{
    container->installEventFilter(new AlignLayout(container));
}

void AlignLayout::setAlign(QWidget *control, TAlign align)
{
    control->setProperty(AlignProperty, static_cast<int>(align));
    if (QWidget *parent = control->parentWidget())
        arrange(parent);
}

TAlign AlignLayout::align(const QWidget *control)
{
    const QVariant v = control->property(AlignProperty);
    return v.isValid() ? static_cast<TAlign>(v.toInt()) : TAlign::None;
}

void AlignLayout::arrange(QWidget *container)
{
    QRect rest = container->contentsRect();
    const auto children = container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    auto place = [&](std::initializer_list<TAlign> which) {
        for (QWidget *w : children) {
            const TAlign a = align(w);
            if (std::find(which.begin(), which.end(), a) == which.end() || w->isWindow())
                continue;
            switch (a) {
            case TAlign::Top:
                w->setGeometry(rest.left(), rest.top(), rest.width(), w->height());
                rest.setTop(rest.top() + w->height());
                break;
            case TAlign::Bottom:
                w->setGeometry(rest.left(), rest.bottom() + 1 - w->height(), rest.width(), w->height());
                rest.setBottom(rest.bottom() - w->height());
                break;
            case TAlign::Left:
                w->setGeometry(rest.left(), rest.top(), w->width(), rest.height());
                rest.setLeft(rest.left() + w->width());
                break;
            case TAlign::Right:
                w->setGeometry(rest.right() + 1 - w->width(), rest.top(), w->width(), rest.height());
                rest.setRight(rest.right() - w->width());
                break;
            case TAlign::Client:
                w->setGeometry(rest.left(), rest.top(), qMax(0, rest.width()), qMax(0, rest.height()));
                break;
            case TAlign::None:
                break;
            }
        }
    };
    place({TAlign::Top, TAlign::Bottom});
    place({TAlign::Left, TAlign::Right});
    place({TAlign::Client});
}

bool AlignLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        arrange(static_cast<QWidget *>(watched));
    return QObject::eventFilter(watched, event);
}
