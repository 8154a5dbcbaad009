#pragma once
// The modal about box.

#include <QDialog>

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);
};
