#include "PageWindow.h"

#include "Fonts.h"
#include "HandCursor.h"
#include "PageBackground.h"
#include "PageColours.h"
#include "PictureButton.h"
#include "Pictures.h"
#include "TaskbarHint.h"
#include "Twips.h"
#include "WindowDragger.h"
#include "WindowShape.h"

#include <QKeyEvent>

PageWindow::PageWindow(const QString& name, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(name);
    setFixedSize(kSize);
    PageColours::makePage(this);
    setFont(Fonts::windowFont());
    Pictures::load();
    new PageBackground(Pictures::path("fundo_pagina"), this);

    btnFechar = new PictureButton(this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    btnFechar->setGeometry(Twips::rect(2780, 100, 390, 375));
    btnFechar->setToolTip(QStringLiteral(" Fechar "));
    btnFechar->setPicture(Pictures::path("fechar"));
    btnFechar->setCursor(handCursor());
    connect(btnFechar, &PictureButton::clicked, this, &QWidget::close);

    // Shaped while it is built, before anything can show it.
    WindowShape::apply(this, PageOutline);
    WindowDragger::install(this);
    TaskbarHint::keepOut(this);
}

void PageWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !(event->modifiers() & ~Qt::KeypadModifier)) {
        escape();
        return;
    }
    QWidget::keyPressEvent(event);
}
