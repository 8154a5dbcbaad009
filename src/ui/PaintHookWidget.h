#pragma once
// Small widgets that hand one event to the main controller: a display area
// whose painting is done by a callback, and a drop-down list that reports
// when its list opens.

#include <QComboBox>
#include <QWidget>

#include <functional>

class PaintHookWidget : public QWidget {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter&)>;
    explicit PaintHookWidget(QWidget* parent) : QWidget(parent) {}
    void SetPainter(Painter painter) { m_Painter = std::move(painter); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Painter m_Painter;
};

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent) : QComboBox(parent) {}
    void SetOnPopup(std::function<void()> onPopup) { m_OnPopup = std::move(onPopup); }
    void showPopup() override;

private:
    std::function<void()> m_OnPopup;
};
