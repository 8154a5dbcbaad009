// The main window built from the control table, its controls found by id,
// and the wiring of every handled control event to its handler.

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/CVessaDlg.h"
#include "platform/DialogUnits.h"
#include "platform/Text.h"
#include "ui/ControlTable.h"
#include "ui/PaintHookWidget.h"

namespace {

// Height of a list's field: the drop-down part of its rectangle is not drawn.
constexpr int kListFieldHeightDu = 12;

void Place(QWidget* w, int x, int y, int width, int height)
{
    const PixelRect r = DialogRectToPixels(x, y, width, height);
    w->setGeometry(r.x, r.y, r.width, r.height);
}

QWidget* MakeControl(const ControlSpec& item, QWidget* parent, QPlainTextEdit** console)
{
    switch (item.kind) {
    case ControlKind::Button: {
        auto* button = new QPushButton(QString::fromLatin1(item.caption), parent);
        // Enter must never press a button of the main window.
        button->setAutoDefault(false);
        button->setDefault(false);
        Place(button, item.x, item.y, item.width, item.height);
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(QString::fromLatin1(item.caption), parent);
        Place(box, item.x, item.y, item.width, item.height);
        return box;
    }
    case ControlKind::List: {
        auto* list = new DropDownList(parent);
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setDuplicatesEnabled(true);
        Place(list, item.x, item.y, item.width, kListFieldHeightDu);
        const int dropRows = std::max(1, (item.height - kListFieldHeightDu) / 8);
        list->setMaxVisibleItems(dropRows);
        return list;
    }
    case ControlKind::Text: {
        auto* label = new QLabel(QString::fromLatin1(item.caption), parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Place(label, item.x, item.y, item.width, item.height);
        return label;
    }
    case ControlKind::SunkenText: {
        auto* label = new QLabel(QString::fromLatin1(item.caption), parent);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Place(label, item.x, item.y, item.width, item.height);
        return label;
    }
    case ControlKind::Panel: {
        auto* label = new QLabel(QString::fromLatin1(item.caption), parent);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        Place(label, item.x, item.y, item.width, item.height);
        return label;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        Place(bar, item.x, item.y, item.width, item.height);
        return bar;
    }
    case ControlKind::DisplayFrame: {
        auto* area = new PaintHookWidget(parent);
        // Painted completely by the display; no background erase first.
        area->setAttribute(Qt::WA_OpaquePaintEvent);
        Place(area, item.x, item.y, item.width, item.height);
        return area;
    }
    case ControlKind::Console: {
        auto* pane = new QPlainTextEdit(parent);
        pane->setTabChangesFocus(true);
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pane->setUndoRedoEnabled(false);
        Place(pane, item.x, item.y, item.width, item.height);
        *console = pane;
        return pane;
    }
    }
    return nullptr;
}

}  // namespace

void CVessaDlg::CreateControls()
{
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont dialogFont("Arial");
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    const PixelRect size = DialogRectToPixels(0, 0, kWindowWidthDu, kWindowHeightDu);
    setFixedSize(size.width, size.height);

    for (const LabelSpec& item : MainWindowLabels()) {
        auto* label = new QLabel(QString::fromLatin1(item.text), this);
        label->setAlignment(Qt::AlignLeft |
                            (item.centredVertically ? Qt::AlignVCenter : Qt::AlignTop));
        label->setAttribute(Qt::WA_TranslucentBackground);
        Place(label, item.x, item.y, item.width, item.height);
    }
    for (const EtchedLineSpec& item : MainWindowEtchedLines()) {
        auto* line = new QFrame(this);
        line->setFrameShape(item.horizontal ? QFrame::HLine : QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        Place(line, item.x, item.y, item.width, item.height);
    }
    for (const ControlSpec& item : MainWindowControls()) {
        QWidget* w = MakeControl(item, this, &m_Console);
        w->setVisible(item.visibility == Visibility::Shown);
        m_Controls[item.id] = w;
    }
    // The debug controls lie on top of the GPS and Sensors panels.
    for (int id : kDebugControlIds)
        Control(id)->raise();
}

void CVessaDlg::ConnectHandlers()
{
    const std::pair<int, void (CVessaDlg::*)()> clicks[] = {
        {Id::Exit, &CVessaDlg::OnExit},
        {Id::Connect, &CVessaDlg::OnConnect},
        {Id::Apply, &CVessaDlg::ApplyParameters},
        {Id::Reread, &CVessaDlg::OnRereadParameters},
        {Id::SendCommand, &CVessaDlg::OnSendCommand},
        {Id::SelectInputFile, &CVessaDlg::OnSelectInputFile},
        {Id::Test, &CVessaDlg::OnTest},
        {Id::BrowseFolder, &CVessaDlg::BrowseDataFolder},
        {Id::Stop, &CVessaDlg::OnStop},
        {Id::Play, &CVessaDlg::OnPlay},
        {Id::Pause, &CVessaDlg::OnPause},
        {Id::Step, &CVessaDlg::OnStep},
        {Id::Replay, &CVessaDlg::OnReplay},
    };
    for (const auto& [id, handler] : clicks)
        connect(Button(id), &QPushButton::clicked, this, handler);

    // Only the operator's edits of a list's field count, not a selection.
    connect(List(Id::DeviceSpeed)->lineEdit(), &QLineEdit::textEdited, this,
            &CVessaDlg::ApplySpeedKeywords);
    connect(List(Id::DataOutput)->lineEdit(), &QLineEdit::textEdited, this,
            &CVessaDlg::ApplyDataOutputKeywords);
    // Opening the Data Output drop-down repaints the window without erasing.
    static_cast<DropDownList*>(List(Id::DataOutput))->SetOnPopup([this] {
        RequestDisplayRepaint();
    });

    connect(m_Console, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_ConsoleProgramEdit)
            OnTypedInConsole();
    });
    m_Console->installEventFilter(this);

    static_cast<PaintHookWidget*>(Control(Id::Display))->SetPainter([this](QPainter& painter) {
        PaintDisplay(painter);
    });
}

bool CVessaDlg::eventFilter(QObject* watched, QEvent* e)
{
    // The console pane is repainted completely when it receives the focus.
    if (watched == m_Console && e->type() == QEvent::FocusIn)
        m_Console->viewport()->update();
    return QDialog::eventFilter(watched, e);
}

QWidget* CVessaDlg::Control(int id) const
{
    const auto it = m_Controls.find(id);
    return it == m_Controls.end() ? nullptr : it->second;
}

QComboBox* CVessaDlg::List(int id) const
{
    return qobject_cast<QComboBox*>(Control(id));
}

QPushButton* CVessaDlg::Button(int id) const
{
    return qobject_cast<QPushButton*>(Control(id));
}

std::string CVessaDlg::ControlText(int id) const
{
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QComboBox*>(w))
        return FromQt(list->currentText());
    if (auto* label = qobject_cast<QLabel*>(w))
        return FromQt(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return FromQt(button->text());
    if (w == m_Console)
        return ConsoleText();
    return {};
}

void CVessaDlg::SetControlText(int id, const std::string& text)
{
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QComboBox*>(w))
        list->setEditText(ToQt(text));
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(ToQt(text));
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(ToQt(text));
}
