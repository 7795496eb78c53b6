#include "tools/FilesForm.h"

#include "aids/OptionsForm.h"
#include "aids/RadioGroup.h"
#include "aids/WindowKit.h"
#include "app/Errors.h"
#include "app/Icons.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/PictureDialogs.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "app/YleOsa.h"
#include "gfx/Combine.h"
#include "gfx/Picture.h"
#include "platform/Platform.h"
#include "surface/Form1.h"
#include "tools/DesignFile.h"
#include "tools/OperLogic.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"
#include "tools/ToolWindows.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <QScopeGuard>

#include <algorithm>
#include <iterator>

namespace {

// The row pictures, drawn here at 16 pixels: a folder, a tool picture, a design of several.
QIcon rowPicture(int index) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 70, 20), 1));
    if (index == 0) {
        QPainterPath folder;
        folder.moveTo(1.5, 3.5);
        folder.lineTo(6.5, 3.5);
        folder.lineTo(8, 5.5);
        folder.lineTo(14.5, 5.5);
        folder.lineTo(14.5, 13.5);
        folder.lineTo(1.5, 13.5);
        folder.closeSubpath();
        p.setBrush(QColor(240, 200, 80));
        p.drawPath(folder);
        p.setBrush(QColor(250, 222, 120));
        p.drawRect(QRectF(1.5, 7.5, 13, 6));
        return QIcon(pm);
    }
    // One card for a tool, three stacked for a design; each holds a small triangle.
    const int cards = index == 1 ? 1 : 3;
    for (int i = cards - 1; i >= 0; --i) {
        const QRectF card(1.5 + 2 * i, 1.5 + 2 * (cards - 1 - i), 13 - 2 * (cards - 1),
                          13 - 2 * (cards - 1));
        p.setPen(QPen(QColor(40, 60, 110), 1));
        p.setBrush(Qt::white);
        p.drawRect(card);
        if (i == 0) {
            const QPointF c = card.center();
            const QPointF tri[] = {c + QPointF(-3, 3), c + QPointF(3, 3), c + QPointF(0, -3)};
            p.setPen(Qt::NoPen);
            p.setBrush(index == 1 ? QColor(30, 110, 200) : QColor(200, 60, 40));
            p.drawPolygon(tri, 3);
        }
    }
    return QIcon(pm);
}

QToolButton* pageButton(const char* name, QWidget* parent, const QString& caption,
                        const QIcon& icon, const QString& hint) {
    QToolButton* b = flatToolButton(name, parent, QRect(), hint);
    b->setText(caption);
    b->setIcon(icon);
    if (caption.isEmpty()) b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return b;
}

QGroupBox* groupBox(const char* name, const QString& caption, QWidget* parent) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(QLatin1String(name));
    g->setAccessibleName(caption);
    return g;
}

} // namespace

TFilesForm::TFilesForm(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("FilesForm"));
    setWindowTitle(QStringLiteral(" Työkalut"));
    // A close box only.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);

    Book = new QTabWidget(this);
    Book->setObjectName(QStringLiteral("Book"));
    BookPage1 = new QWidget;
    BookPage1->setObjectName(QStringLiteral("BookPage1"));
    Book->addTab(BookPage1, QStringLiteral("Haku     "));
    BookPage2 = new QWidget;
    BookPage2->setObjectName(QStringLiteral("BookPage2"));
    Book->addTab(BookPage2, QStringLiteral("Sommitelma"));
    buildSearchPage();
    buildDesignPage();

    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Book);
    connect(Book, &QTabWidget::currentChanged, this, reporting(this, &TFilesForm::BookChange));

    resize(228, 474);
    FormCreate();
}

void TFilesForm::buildSearchPage() {
    QStyle* st = style();
    for (int i = 0; i < 3; ++i)
        ImageList.append(rowPicture(i));

    Tool = groupBox("Tool", QStringLiteral("Kohde"), BookPage1);
    Tool->setFixedHeight(48);
    ChooseTools = pageButton("ChooseTools", Tool, QStringLiteral("Näytölle"),
                             ravoIcon(QStringLiteral("arrow-left")),
                             QStringLiteral("Vie näytölle valitut työkalut"));
    DoDeleteFile =
        pageButton("DoDeleteFile", Tool, QString(), st->standardIcon(QStyle::SP_TrashIcon),
                   QStringLiteral("Poistaa kohteen käytöstä"));
    Image = new TRotateImage(Tool);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(76, 27);
    Image->SetStretch(true);
    Image->SetProportional(true);
    Image->SetCenter(true);
    auto* toolRow = new QHBoxLayout(Tool);
    toolRow->setContentsMargins(4, 0, 4, 0);
    toolRow->addWidget(ChooseTools);
    toolRow->addWidget(DoDeleteFile);
    toolRow->addStretch();
    toolRow->addWidget(Image);

    FileList = new QTreeWidget(BookPage1);
    FileList->setObjectName(QStringLiteral("FileList"));
    // Its hint names it for assistive tools only; it is not shown.
    FileList->setAccessibleName(QStringLiteral("Työkalu- ja sommitelmalista"));
    FileList->setColumnCount(3);
    FileList->setHeaderLabels(
        {QStringLiteral("Tiedosto"), QStringLiteral("Dir"), QStringLiteral("Type")});
    FileList->setHeaderHidden(true);
    FileList->setColumnWidth(0, 200);
    FileList->hideColumn(1);
    FileList->hideColumn(2);
    FileList->setRootIsDecorated(false);
    FileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FileList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FileList->setUniformRowHeights(true);
    QFont listFont(QStringLiteral("MS Sans Serif"));
    listFont.setPixelSize(12);
    FileList->setFont(listFont);

    GroupBox1 = groupBox("GroupBox1", QStringLiteral("Uusi kansio"), BookPage1);
    NewFolder = new QLineEdit(QStringLiteral("Uusi kansio"), GroupBox1);
    NewFolder->setObjectName(QStringLiteral("NewFolder"));
    setHint(NewFolder,
            QStringLiteral("Kirjoita uuden kansion nimi ja klikkaa viereistä painiketta"));
    DoNewFolder = pageButton("DoNewFolder", GroupBox1, QString(),
                             st->standardIcon(QStyle::SP_FileDialogNewFolder),
                             QStringLiteral("Luo uusi kansio viereisen kentän nimisenä"));
    auto* folderRow = new QHBoxLayout(GroupBox1);
    folderRow->setContentsMargins(4, 2, 4, 2);
    folderRow->addWidget(NewFolder);
    folderRow->addWidget(DoNewFolder);

    auto* page = new QVBoxLayout(BookPage1);
    page->setContentsMargins(2, 2, 2, 2);
    page->addWidget(Tool);
    page->addWidget(FileList, 1);
    page->addWidget(GroupBox1);

    OpenPictureDialog =
        new TOpenPictureDialog(this, QStringLiteral("Bitmaps (*.bmp)|*.bmp"), "OpenPictureDialog");

    connect(ChooseTools, &QToolButton::clicked, this,
            reporting(this, &TFilesForm::ChooseToolsClick));
    connect(DoDeleteFile, &QToolButton::clicked, this,
            reporting(this, &TFilesForm::DoDeleteFileClick));
    connect(DoNewFolder, &QToolButton::clicked, this,
            reporting(this, &TFilesForm::DoNewFolderClick));
    connect(FileList, &QTreeWidget::itemClicked, this, reporting(this, &TFilesForm::FileListClick));
    connect(FileList, &QTreeWidget::itemDoubleClicked, this,
            reporting(this, &TFilesForm::FileListDblClick));
}

void TFilesForm::buildDesignPage() {
    QStyle* st = style();
    PanelDesign = new QWidget(BookPage2);
    PanelDesign->setObjectName(QStringLiteral("PanelDesign"));
    PanelDesign->setFixedHeight(36);
    DoRefresh = pageButton("DoRefresh", PanelDesign, QStringLiteral("Nimi"),
                           st->standardIcon(QStyle::SP_BrowserReload),
                           QStringLiteral("Tallenna sommitelma"));
    DesignName = new QLineEdit(PanelDesign);
    DesignName->setObjectName(QStringLiteral("DesignName"));
    setHint(DesignName, QStringLiteral("Sommitelman nimi"));
    DesignName->setFixedWidth(118);
    DesignName->installEventFilter(this);
    DoSave = pageButton("DoSave", PanelDesign, QString(), ravoIcon(QStringLiteral("save")),
                        QStringLiteral("Tallenna sommitelma"));
    auto* designRow = new QHBoxLayout(PanelDesign);
    designRow->setContentsMargins(2, 2, 2, 2);
    designRow->addWidget(DoRefresh);
    designRow->addWidget(DesignName);
    designRow->addStretch();
    designRow->addWidget(DoSave);

    GroupTools = groupBox("GroupTools", QStringLiteral("Näytöllä olevat työkalut"), BookPage2);
    DoShowDesignTool = pageButton("DoShowDesignTool", GroupTools, QString(),
                                  st->standardIcon(QStyle::SP_FileDialogContentsView),
                                  QStringLiteral("Tuo listan osoittama työkalun esiin"));
    DoShowDesignTool->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    List = new QListWidget(GroupTools);
    List->setObjectName(QStringLiteral("List"));
    setHint(List, QStringLiteral("Lista näytöllä olevista työkaluista"));
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List->installEventFilter(this);
    List->viewport()->installEventFilter(this);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(DoShowDesignTool);
    listRow->addWidget(List, 1);

    GroupBox2 = groupBox("GroupBox2", QStringLiteral("Valittuja työkaluja koskien"), GroupTools);
    DoSetAllSamePoint = pageButton("DoSetAllSamePoint", GroupBox2, QStringLiteral("Siirrä"),
                                   st->standardIcon(QStyle::SP_ArrowUp),
                                   QStringLiteral("Siirrä työkalut samaan paikkaan"));
    DoPaintAll = pageButton("DoPaintAll", GroupBox2, QStringLiteral("Maalaa"),
                            ravoIcon(QStringLiteral("fill")),
                            QStringLiteral("Maalaa kaikki työkalut kuvapinnalle"));
    DoDelete = pageButton("DoDelete", GroupBox2, QStringLiteral("Poista"),
                          st->standardIcon(QStyle::SP_TrashIcon),
                          QStringLiteral("Poista työkalu sommitelmasta"));
    auto* buttons = new QHBoxLayout(GroupBox2);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(0);
    for (QToolButton* b : {DoSetAllSamePoint, DoPaintAll, DoDelete}) {
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        buttons->addWidget(b);
    }

    Item = groupBox("Item", QStringLiteral("Läpinäkyvyys"), GroupTools);
    WorkAlpha = new QSlider(Qt::Horizontal, Item);
    WorkAlpha->setObjectName(QStringLiteral("WorkAlpha"));
    setHint(WorkAlpha, QStringLiteral("Säätää työkalun näkyvyyttä"));
    WorkAlpha->setRange(0, 255);
    WorkAlpha->setPageStep(1);
    WorkAlpha->setSingleStep(0);
    WorkAlpha->setValue(100);
    Others = new RadioGroup(QStringLiteral("Vaikutus muihin"), Item);
    Others->setObjectName(QStringLiteral("Others"));
    setHint(Others, QStringLiteral("Yo. läpinäkyvyyden säädön vaikutus muiden työkalujen "
                                   "läpinäkyvyyteen"));
    Others->setColumns(3);
    Others->setItems({QStringLiteral("Ei"), QStringLiteral("Sama"), QStringLiteral("Käänt.")});
    Others->setItemIndex(0);
    auto* itemColumn = new QVBoxLayout(Item);
    itemColumn->setContentsMargins(4, 2, 4, 2);
    itemColumn->addWidget(WorkAlpha);
    itemColumn->addWidget(Others);

    auto* tools = new QVBoxLayout(GroupTools);
    tools->setContentsMargins(4, 2, 4, 4);
    tools->addLayout(listRow, 1);
    tools->addWidget(Item);
    tools->addWidget(GroupBox2);

    auto* page = new QVBoxLayout(BookPage2);
    page->setContentsMargins(2, 2, 2, 2);
    page->addWidget(PanelDesign);
    page->addWidget(GroupTools, 1);

    connect(DoRefresh, &QToolButton::clicked, this, reporting(this, &TFilesForm::DoRefreshClick));
    connect(DoSave, &QToolButton::clicked, this, reporting(this, &TFilesForm::DoSaveClick));
    connect(DoShowDesignTool, &QToolButton::clicked, this,
            reporting(this, &TFilesForm::DoShowDesignToolClick));
    connect(DoSetAllSamePoint, &QToolButton::clicked, this,
            reporting(this, &TFilesForm::DoSetAllSamePointClick));
    connect(DoPaintAll, &QToolButton::clicked, this, reporting(this, &TFilesForm::DoPaintAllClick));
    connect(DoDelete, &QToolButton::clicked, this, reporting(this, &TFilesForm::DoDeleteClick));
    connect(List, &QListWidget::itemClicked, this, reporting(this, &TFilesForm::ListClick));
    connect(WorkAlpha, &QSlider::valueChanged, this, reporting(this, &TFilesForm::WorkAlphaChange));
    GetTools();
}

void TFilesForm::FormCreate() {
    const QPoint target = defaultSlideTarget(platform::screenSize(), outerWidth(this));
    DefXpos = target.x();
    DefYpos = target.y();
}

void TFilesForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFilesForm::FormShow() {
    ToolsFolder = ws.Palette->folders.ToolsFolder;
    FindFiles();
}

void TFilesForm::BookChange(int index) {
    if (index == 1) GetTools();
}

void TFilesForm::GetPosition() {
    Xmespos = x() >= 150 ? x() - 150 : x();
    Ymespos = y();
}

// ---- The folder's listing ----

void TFilesForm::FindFiles() {
    const int listing = ++m_listing;
    FileList->clear();
    m_rows.clear();
    const QDir dir(ToolsFolder);
    const bool readable = dir.exists() && dir.isReadable();
    // Hidden and system entries stay out, and so does "."; ".." is the way up.
    const QFileInfoList entries =
        readable ? dir.entryInfoList(QDir::AllEntries | QDir::NoDot, QDir::Unsorted)
                 : QFileInfoList();
    if (!readable) AddFileToList(QStringLiteral(".."), true);
    for (const QFileInfo& entry : entries) {
        AddFileToList(entry.fileName(), entry.isDir());
        QCoreApplication::processEvents();
        // A listing started meanwhile is the one the list shows.
        if (listing != m_listing) return;
    }
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const LibraryRow& a, const LibraryRow& b) {
        return FileListCompare(a, b) < 0;
    });
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(m_rows.size()));
    for (const LibraryRow& row : m_rows) {
        auto* item = new QTreeWidgetItem({row.caption, QString(row.kind), row.extension});
        item->setIcon(0, ImageList.value(FileListGetImageIndex(row)));
        items.append(item);
    }
    FileList->addTopLevelItems(items);
    m_rows.clear();
    if (!readable) {
        GetPosition();
        ws.MesForm->ShowInfo(QStringLiteral("Kansion %1 sisältöä ei voi lukea.")
                                 .arg(QDir::toNativeSeparators(ToolsFolder)),
                             Xmespos, Ymespos);
    }
}

void TFilesForm::AddFileToList(const QString& TheFile, bool folder) {
    // The library's top folder shows no way up.
    if (folder && TheFile == QLatin1String("..") && ToolsFolder == ws.Palette->folders.ToolsFolder)
        return;
    m_rows.push_back(libraryRow(TheFile, folder));
}

int TFilesForm::FileListGetImageIndex(const LibraryRow& row) const {
    static const QString kinds = QStringLiteral("DFS");
    return int(kinds.indexOf(row.kind));
}

LibraryRow TFilesForm::rowOf(const QTreeWidgetItem* item) {
    return {item->text(0), item->text(1).front(), item->text(2)};
}

void TFilesForm::FileListClick() {
    const QTreeWidgetItem* item = FileList->currentItem();
    if (!item) return;
    const LibraryRow row = rowOf(item);
    if (row.kind == u'F') LoadPicture(libraryRowPath(ToolsFolder, row));
}

void TFilesForm::FileListDblClick() {
    const QTreeWidgetItem* item = FileList->currentItem();
    if (!item) return;
    const LibraryRow row = rowOf(item);
    if (row.kind != u'D' || row.caption == QLatin1String(".")) return;
    const bool up = row.caption == QLatin1String("..");
    if (up && ToolsFolder.isEmpty()) return;
    const QString next = up                      ? GetUpperFolder(ToolsFolder)
                         : ToolsFolder.isEmpty() ? u'/' + row.caption + u'/'
                                                 : ToolsFolder + row.caption + u'/';
    // A folder removed or closed since it was listed: the listing is refreshed instead.
    const QDir dir(next);
    if (!dir.exists() || !dir.isReadable()) {
        GetPosition();
        ws.MesForm->ShowInfo(
            QStringLiteral("Kansiota %1 ei voi avata.").arg(QDir::toNativeSeparators(next)),
            Xmespos, Ymespos);
    } else {
        ToolsFolder = next;
    }
    FindFiles();
}

void TFilesForm::ChooseToolsClick() {
    // Taken first: the slides let the user change the choice meanwhile.
    std::vector<LibraryRow> chosen;
    for (int i = 0; i < FileList->topLevelItemCount(); ++i)
        if (FileList->topLevelItem(i)->isSelected())
            chosen.push_back(rowOf(FileList->topLevelItem(i)));
    const QString folder = ToolsFolder;
    for (const LibraryRow& row : chosen) {
        const QString path = libraryRowPath(folder, row);
        if (row.kind == u'F') {
            LoadPicture(path);
            Xanipos = DefXpos;
            Yanipos = DefYpos;
            ShowTool(path, ws.OptionsForm->WorkAlpha->value());
        } else if (row.kind == u'S') {
            OpenDesign(path);
        }
    }
    ws.Palette->raise();
}

void TFilesForm::DoNewFolderClick() {
    const LibraryRow wanted = libraryRow(NewFolder->text(), true);
    for (int i = 0; i < FileList->topLevelItemCount(); ++i) {
        const LibraryRow row = rowOf(FileList->topLevelItem(i));
        if (row.kind == u'D' && FileListCompare(row, wanted) == 0) {
            GetPosition();
            ws.MesForm->ShowInfo(QStringLiteral("Kansio on jo olemassa."), Xmespos, Ymespos);
            return;
        }
    }
    const QString path = ToolsFolder + NewFolder->text();
    if (!QDir().mkpath(path))
        throw RavoError(
            QStringLiteral("Kansiota ei voi luoda: %1").arg(QDir::toNativeSeparators(path)));
    FindFiles();
}

void TFilesForm::DoDeleteFileClick() {
    GetPosition();
    const QTreeWidgetItem* item = FileList->currentItem();
    if (FileList->selectedItems().isEmpty() || !item) {
        ws.MesForm->ShowInfo(QStringLiteral("Valitse ensin poistettava kohde."), Xmespos, Ymespos);
        return;
    }
    const LibraryRow row = rowOf(item);
    if (row.kind == u'D') {
        ws.MesForm->ShowInfo(QStringLiteral("Kansiota et voi poistaa tässä Ravon versiossa."),
                             Xmespos, Ymespos);
        return;
    }
    const QString word =
        row.kind == u'S' ? QStringLiteral("sommitelma") : QStringLiteral("työkalu");
    if (ws.MesForm->AskQuestion(
            QStringLiteral("Poistetaan %1 kokonaan käytöstä. Jatketaanko?").arg(word), Xmespos,
            Ymespos) != TMesForm::ResultYes)
        return;
    QFile file(libraryRowPath(ToolsFolder, row));
    const bool gone = !file.exists() || file.remove();
    const QString reason = file.errorString();
    FindFiles();
    if (!gone)
        throw RavoError(QStringLiteral("Tiedostoa ei voi poistaa: %1\n%2")
                            .arg(QDir::toNativeSeparators(file.fileName()), reason));
}

// ---- Pictures and tools ----

void TFilesForm::LoadPicture(const QString& ImageName) {
    const bool curtain = ImageName.toUpper() == CurtainPicture.toUpper();
    const QString file =
        curtain ? ws.Palette->folders.MainFolder + ImageName + QStringLiteral(".JPG") : ImageName;
    // GIF pictures are tools too; a name of no picture format is read as a bitmap.
    const gfx::PictureFormat format =
        curtain ? gfx::PictureFormat::Jpeg
                : gfx::pictureFormatForName(ImageName).value_or(gfx::PictureFormat::Bmp);
    Image->SetPicture(TPicture::fromBitmap(gfx::loadPicture(file, format)));
}

void TFilesForm::ShowTool(const QString& PicName, int Alpha) {
    const QImage picture = Image->Picture().unturnedBitmap();
    const int screenWidth = platform::screenSize().width();
    const int side = std::max(picture.width(), picture.height()) + 150;
    // The picture control reaches one pixel beyond the window's right and bottom edges.
    TOsoitin* tool =
        makeToolWindow(ws, {picture.copy(), side, QRect(1, 1, side, side), PicName, Alpha});
    showToolWindow(tool, QPoint(screenWidth + 10, Yanipos));
    Slide slide = slideStart(screenWidth, Xanipos);
    Distance = slide.Distance;
    Delta = slide.Delta;
    // The fields, not locals: a slide started from an event below takes this loop over.
    while (ws.Form1->ToolForm && ws.Form1->ToolForm->x() > Xanipos) {
        slide = {Distance, Delta};
        const int left = slideStep(slide, Xanipos);
        Distance = slide.Distance;
        ws.Form1->ToolForm->move(left, ws.Form1->ToolForm->y());
        if (const int wait = slideWait(ws.OptionsForm->Speed->value())) QThread::msleep(wait);
        QCoreApplication::processEvents();
        // At its target the slide is over, even where a window manager holds it elsewhere.
        if (left == Xanipos) break;
    }
}

// ---- The on-screen tool list ----

int TFilesForm::rowId(int row) const {
    const QListWidgetItem* item = List->item(row);
    return item ? toolRowId(item->text()).value_or(0) : 0;
}

void TFilesForm::GetTools() {
    List->clear();
    for (TOsoitin* t : ws.Form1 ? ws.Form1->toolWindows.tools() : QList<TOsoitin*>())
        List->addItem(toolRow(t->windowTitle(), t->Tag, t->x(), t->y(), toolOpacity(t)));
    const bool any = List->count() > 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{WorkAlpha, DoDelete, Others, DoRefresh, DoSave})
        w->setEnabled(any);
    if (!any) DesignName->clear();
}

int TFilesForm::ToolsCount() const {
    return int(ws.Form1->toolWindows.tools().size());
}

TOsoitin* TFilesForm::GetFormById(int Id) const {
    return ws.Form1->toolWindows.byTag(Id);
}

void TFilesForm::FindRowById(int Id) {
    for (int i = 0; i < List->count(); ++i)
        List->item(i)->setSelected(rowId(i) == Id);
}

void TFilesForm::DeleteTools() {
    for (int i = 0; i < List->count(); ++i)
        delete GetFormById(rowId(i));
    GetTools();
}

void TFilesForm::setPointStep(bool first) {
    if (first) m_setPoint = ChosenForm->pos();
    ChosenForm->move(m_setPoint);
}

void TFilesForm::paintStep(bool) {
    // Unturned, at the window's top-left corner: the see-through margin is not allowed for.
    TForm1* surface = ws.Form1;
    const QImage picture = ChosenForm->Image1->Picture().unturnedBitmap();
    const QPoint at(ChosenForm->x(), ChosenForm->y() - surface->CaptionHeight);
    gfx::DrawTransparent(surface->Canvas, at.x(), at.y(), picture, gfx::White);
    surface->canvasChanged(QRect(at, picture.size()));
}

void TFilesForm::deleteStep(bool) {
    delete ChosenForm.data();
}

void TFilesForm::DoAll(const QString& What, bool Forced) {
    static const struct {
        QLatin1StringView what;
        const char* notChosen;
        void (TFilesForm::*step)(bool first);
    } commands[] = {
        {QLatin1StringView("SETPOINT"),
         "Valitse ensin työkalu, jonka osoittamaan paikkaan kaikki työkalut siirretään.",
         &TFilesForm::setPointStep},
        {QLatin1StringView("DELETE"), "Valitse ensin työkalut, jotka poistetaan.",
         &TFilesForm::deleteStep},
        {QLatin1StringView("PAINT"), "Valitse ensin työkalut, jotka maalataan kuvapinnalle.",
         &TFilesForm::paintStep},
    };
    const auto command = std::find_if(std::begin(commands), std::end(commands),
                                      [&](const auto& c) { return c.what == What; });
    if (command == std::end(commands) || List->count() == 0) return;
    if (!Forced && List->selectedItems().isEmpty()) {
        GetPosition();
        ws.MesForm->ShowInfo(QString::fromUtf8(command->notChosen), Xmespos, Ymespos);
        return;
    }
    ws.Form1->Archieve();
    bool first = true;
    for (int i = 0; i < List->count(); ++i) {
        if (!Forced && !List->item(i)->isSelected()) continue;
        ChosenForm = GetFormById(rowId(i));
        if (!ChosenForm) continue;
        (this->*command->step)(first);
        first = false;
    }
    if (What == QLatin1String("DELETE")) GetTools();
}

void TFilesForm::ListClick() {
    const int row = List->currentRow();
    if (row < 0) return;
    ValId = rowId(row);
    if (TOsoitin* tool = GetFormById(ValId)) {
        ws.Form1->ActiveForm = tool;
        tool->raise();
        // A short nod shows which tool the row is.
        tool->move(tool->pos() + QPoint(0, 4));
        tool->move(tool->pos() - QPoint(0, 4));
        WorkAlpha->setValue(toolOpacity(tool));
    }
    List->setFocus();
}

void TFilesForm::ListMouseDown(int row) {
    StartRow = row;
    EndRow = -1;
}

bool TFilesForm::ListDragOver(int row) {
    if (row < 0 || row == StartRow) return false;
    EndRow = row;
    return true;
}

void TFilesForm::ListDragDrop() {
    if (StartRow < 0 || EndRow < 0 || StartRow >= List->count() || EndRow >= List->count()) return;
    QListWidgetItem* moved = List->takeItem(StartRow);
    const bool chosen = moved->isSelected();
    List->insertItem(EndRow, moved);
    moved->setSelected(chosen);
}

int TFilesForm::listRowAt(QPoint p) const {
    const QModelIndex at = List->indexAt(p);
    return at.isValid() ? at.row() : -1;
}

bool TFilesForm::listViewportEvent(QEvent* e) {
    auto* m = static_cast<QMouseEvent*>(e);
    const QPoint p = m->position().toPoint();
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        if (m->button() == Qt::LeftButton) {
            ListMouseDown(listRowAt(p));
            m_pressAt = p;
        }
        return false;
    case QEvent::MouseMove:
        if (!(m->buttons() & Qt::LeftButton) || StartRow < 0) return false;
        if (!m_dragging && (p - m_pressAt).manhattanLength() < QApplication::startDragDistance())
            return false;
        m_dragging = true;
        EndRow = -1;
        ListDragOver(listRowAt(p));
        return true; // a drag moves a row, it does not choose rows
    case QEvent::MouseButtonRelease:
        if (!m_dragging) return false;
        m_dragging = false;
        ListDragDrop();
        StartRow = -1;
        return true;
    default:
        return false;
    }
}

void TFilesForm::ListKeyUp(int key) {
    if (List->count() == 0) return;
    if (key == Qt::Key_Down && List->currentRow() == List->count() - 1)
        List->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    if (List->selectedItems().size() == 1) DoShowDesignToolClick();
}

void TFilesForm::DoShowDesignToolClick() {
    const TOsoitin* active = ws.Form1->ActiveForm;
    if (!active) return;
    const int id = active->Tag;
    for (TOsoitin* t : ws.Form1->toolWindows.tools()) {
        t->setWindowOpacity(t->Tag == id ? 1.0 : 0.0);
        if (t->Tag == id) t->move(0, 0);
    }
}

void TFilesForm::WorkAlphaChange() {
    const int row = List->currentRow();
    if (row < 0) {
        GetPosition();
        ws.MesForm->ShowInfo(QStringLiteral("Valitse ensin työkalu."), Xmespos, Ymespos);
        return;
    }
    ValId = rowId(row);
    const int position = WorkAlpha->value();
    if (TOsoitin* active = ws.Form1->ActiveForm) active->setWindowOpacity(position / 255.0);
    if (const auto others = othersOpacity(OthersFollow(Others->itemIndex()), position))
        for (TOsoitin* t : ws.Form1->toolWindows.tools())
            t->setWindowOpacity((t->Tag == ValId ? position : *others) / 255.0);
}

// ---- Designs ----

QChar TFilesForm::DesignNameKeyPress(QChar Key) {
    return IsNameChar(QString(Key)) || Key == QChar(8) || Key == QChar(13) ? Key : QChar(1);
}

void TFilesForm::DoSaveClick() {
    GetPosition();
    if (ToolsCount() == 0) {
        ws.MesForm->ShowInfo(QStringLiteral("Näytöllä ei ole yhtään työkalua."), Xmespos, Ymespos);
        return;
    }
    if (DesignName->text().isEmpty()) {
        ws.MesForm->ShowInfo(QStringLiteral("Anna sommitelmalle nimi."), Xmespos, Ymespos);
        return;
    }
    // Green while saving, and the normal colour again however the saving ends.
    QPalette saving = DesignName->palette();
    saving.setColor(QPalette::Base, QColor(0, 128, 0));
    DesignName->setPalette(saving);
    const auto restore = qScopeGuard([this] {
        Memo.clear();
        DesignName->setPalette(QPalette());
    });
    Memo.clear();
    Memo.append(designHeader(platform::screenSize()));
    for (int i = 0; i < List->count(); ++i)
        if (const TOsoitin* t = GetFormById(rowId(i)))
            Memo.append(designLine(designPicture(t->windowTitle(), ToolsFolder), t->x(), t->y(),
                                   toolOpacity(t)));
    writeDesignFile(ToolsFolder + DesignName->text() + QStringLiteral(".rvo"), Memo);
    Memo.clear();
    FindFiles();
}

void TFilesForm::DoRefreshClick() {
    if (CurrentDesign.isEmpty() || DesignName->text().isEmpty()) return;
    DoSaveClick();
    DeleteTools();
    OpenDesign(CurrentDesign);
}

bool TFilesForm::designPictureFound(QString& picture) {
    if (QFileInfo(picture).isFile()) return true;
    GetPosition();
    if (ws.MesForm->AskQuestion(
            QStringLiteral("Sommitelmaan liitettyä kuvatiedostoa ei löydy. Haetaanko levyltä?"),
            Xmespos, Ymespos) != TMesForm::ResultYes)
        return false;
    if (!OpenPictureDialog->Execute()) return false;
    picture = OpenPictureDialog->FileName;
    return true;
}

void TFilesForm::OpenDesign(const QString& DesFile) {
    // Read before the tools leave: a design that cannot be read takes nothing away.
    QStringList lines = readDesignFile(DesFile);
    DeleteTools();
    Memo = std::move(lines);
    // A picture that cannot be read leaves its tool out; the rest still come.
    QStringList unread;
    for (qsizetype i = 1; i < Memo.size(); ++i) {
        const DesignTool line = readDesignLine(Memo[i]);
        QString picture = line.picture;
        const bool found = designPictureFound(picture);
        if (!found || !line.numbersOk()) continue;
        try {
            LoadPicture(picture);
        } catch (const gfx::PictureError& e) {
            unread.append(e.message());
            continue;
        }
        Xanipos = *line.Left;
        Yanipos = *line.Top;
        ShowTool(picture, *line.opacity);
    }
    GetTools();
    Memo.clear();
    DesignName->setText(QFileInfo(DesFile).fileName().section(u'.', 0, 0));
    CurrentDesign = DesFile;
    if (!unread.isEmpty()) throw RavoError(unread.join(u'\n'));
}

bool TFilesForm::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (watched == List->viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
         type == QEvent::MouseButtonRelease))
        return listViewportEvent(e);
    if (watched == DesignName && type == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(e)->text();
        // Keys that write nothing (Delete, the arrows) are no characters typed.
        for (QChar c : typed)
            if (c.isPrint() && DesignNameKeyPress(c) == QChar(1)) return true;
    }
    if (type == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        reportingErrors([&] {
            if (watched == List) ListKeyUp(key);
            if (watched == DesignName && (key == Qt::Key_Return || key == Qt::Key_Enter))
                DoSaveClick();
        });
    }
    return QWidget::eventFilter(watched, e);
}
