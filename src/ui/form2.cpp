#include "ui/form2.h"

#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <algorithm>
#include <exception>
#include <vector>

#include "files/open_save.h"
#include "files/puzzle_listing.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"
#include "ui/exp_view_lite.h"
#include "ui/puzzle_folders.h"
#include "ui/vexilo_application.h"

namespace vexilo {

namespace {

std::string toNativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromNativeText(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

// Keeps the selection's colours when the widget loses the focus.
void keepSelectionVisible(QWidget* widget) {
    QPalette colours = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    widget->setPalette(colours);
}

constexpr int kNameColumnWidth = 120;

struct ListRow {
    QString fileName;
    QString size;
    QString rating;
};

// By file name without regard to case; names that differ only in case keep a fixed order.
bool fileNameLess(const ListRow& a, const ListRow& b) {
    const int folded = QString::compare(a.fileName, b.fileName, Qt::CaseInsensitive);
    if (folded != 0) return folded < 0;
    return a.fileName < b.fileName;
}

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

TForm2::TForm2(PuzzleState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      state_(state) {
    setWindowTitle(QStringLiteral("Vexilo 開くⅡ"));
    // The outer size 426 x 277 less the borders and the title bar, as for the main window.
    setFixedSize(418, 250);

    ExpViewLite1 = new TExpViewLite(this);
    ExpViewLite1->setObjectName(QStringLiteral("ExpViewLite1"));
    ExpViewLite1->setGeometry(0, 0, 161, 249);
    ExpViewLite1->Loaded();

    ListView1 = new QTableWidget(0, 4, this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(168, 0, 250, 217);
    ListView1->setHorizontalHeaderLabels(
        {QStringLiteral("ファイルネーム"), QStringLiteral("サイズ"), QStringLiteral("難度"),
         QString()});
    ListView1->horizontalHeaderItem(3)->setToolTip(QStringLiteral("○ 正解　△ 途中"));
    ListView1->setColumnWidth(0, kNameColumnWidth);
    ListView1->setColumnWidth(1, 70);
    ListView1->setColumnWidth(2, 40);
    ListView1->setColumnWidth(3, 16);
    ListView1->horizontalHeader()->setSectionsClickable(false);
    ListView1->horizontalHeader()->setHighlightSections(false);
    ListView1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ListView1->verticalHeader()->hide();
    ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 4);
    ListView1->setShowGrid(true);
    ListView1->setWordWrap(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);  // rows are put in file-name order as they are added
    keepSelectionVisible(ListView1);

    Button1 = new QPushButton(QStringLiteral("ＯＫ"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(200, 224, 75, 25);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(312, 224, 75, 25);
    for (QPushButton* button : {Button1, Button2}) button->setAutoDefault(false);

    errorReport = [](const QString& message) { VexiloApplication::reportError(message); };

    connect(ExpViewLite1, &TExpViewLite::Change, this, &TForm2::ExpViewLite1Change);
    connect(ListView1, &QTableWidget::cellDoubleClicked, this, [this] { Button1Click(); });
    ListView1->installEventFilter(this);  // Enter in the list is OK
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);

    FormCreate();
}

void TForm2::FormCreate() {
    ExpViewLite1->SetPathName(puzzleStartFolder());
}

void TForm2::ExpViewLite1Change() {
    ListPuzzleFiles();
}

void TForm2::ListPuzzleFiles() {
    ListView1->clearSelection();
    ListView1->setRowCount(0);
    std::vector<ListRow> rows;
    QString failure;
    try {
        listPuzzleFiles(toNativePath(ExpViewLite1->GetPathName()), [&rows](PuzzleListRow&& row) {
            rows.push_back({fromNativeText(row.fileName), fromNativeText(row.size),
                            fromNativeText(row.rating)});
        });
    } catch (const std::exception& error) {
        failure = windowErrorText(error);
    }
    std::sort(rows.begin(), rows.end(), fileNameLess);
    ListView1->setUpdatesEnabled(false);
    ListView1->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        ListView1->setItem(i, 0, readOnlyItem(rows[i].fileName));
        ListView1->setItem(i, 1, readOnlyItem(rows[i].size));
        ListView1->setItem(i, 2, readOnlyItem(rows[i].rating));
    }
    refreshProgressMarks();
    // The name column widens to the longest name.
    ListView1->resizeColumnToContents(0);
    ListView1->setColumnWidth(0, std::max(ListView1->columnWidth(0), kNameColumnWidth));
    ListView1->setUpdatesEnabled(true);
    state_.fileLines.clear();
    if (!failure.isEmpty()) errorReport(failure);
}

void TForm2::setProgressMarks(std::function<QStringList(const QStringList&)> marksOfPaths) {
    progressMarks_ = std::move(marksOfPaths);
    refreshProgressMarks();
}

void TForm2::refreshProgressMarks() {
    const QString folder = ExpViewLite1->GetPathName();
    QStringList paths;
    for (int r = 0; r < ListView1->rowCount(); ++r) paths << folder + ListView1->item(r, 0)->text();
    const QStringList marks = progressMarks_ ? progressMarks_(paths) : QStringList();
    for (int r = 0; r < ListView1->rowCount(); ++r) {
        ListView1->setItem(r, 3, readOnlyItem(r < marks.size() ? marks[r] : QString()));
    }
}

void TForm2::Button1Click() {
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        const QTableWidgetItem* caption = ListView1->item(selected.first().row(), 0);
        const QString path = ExpViewLite1->GetPathName() + caption->text();
        try {
            openNativeTextFile(state_, toNativePath(path));
        } catch (const std::exception& error) {
            errorReport(windowErrorText(error));
            return;
        }
    }
    accept();
}

void TForm2::Button2Click() {
    reject();
}

void TForm2::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // The list is read afresh, so that ratings written back since show; the chosen row stays.
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    const QString chosen =
        selected.isEmpty() ? QString() : ListView1->item(selected.first().row(), 0)->text();
    ListPuzzleFiles();
    for (int r = 0; r < ListView1->rowCount() && !chosen.isEmpty(); ++r) {
        if (ListView1->item(r, 0)->text() == chosen) ListView1->selectRow(r);
    }
    QDialog::showEvent(event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            ListView1->selectionModel()->hasSelection()) {
            Button1Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vexilo
