#include "settings/csvlistdialog.h"

#include "localisation/uitext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// The text the preview and the column choices are made from.
constexpr qsizetype HeadChars = 64 * 1024;
constexpr int PreviewRows = 8;
constexpr int MaxColumns = 200; // offered as choices; wider tables are cut there

QString grouped(qint64 value)
{
    return QLocale().toString(value);
}
} // namespace

void CsvListWorker::load(const QString &path)
{
    ListFileResult result;
    const QByteArray bytes = readListBytes(path, result);
    if (!result.ok()) {
        // What stood in the file's place rides along above the error's own bits.
        Q_EMIT loaded({}, u',', {}, int(result.error) | int(result.refusal) << 8);
        return;
    }
    ListText text = decodeListText(bytes);
    if (text.error != ListFileError::None) {
        Q_EMIT loaded({}, u',', {}, int(text.error));
        return;
    }
    m_text = std::move(text.text);
    const bool tsv = QFileInfo(path).suffix().compare(u"tsv", Qt::CaseInsensitive) == 0;
    Q_EMIT loaded(m_text.left(HeadChars), detectCsvSeparator(m_text, tsv ? u'\t' : u','),
                  text.encoding, int(ListFileError::None));
}

void CsvListWorker::count(const CsvLayout &layout, int request)
{
    if (request != m_latest->load())
        return; // a newer layout is already asked for
    int shown = -1;
    const CsvEntries result = csvEntries(m_text, layout, MaxListLines, [&](int permille) {
        if (permille / 10 != shown) {
            shown = permille / 10;
            Q_EMIT progress(permille, request);
        }
        return request == m_latest->load();
    });
    if (!result.cancelled)
        Q_EMIT counted(result.entries.size(), result.rows, result.skipped.size(), request);
}

CsvListDialog::CsvListDialog(const QString &path, const CsvLayout &initial, QWidget *parent)
    : QDialog(parent), m_path(path), m_initial(initial)
{
    qRegisterMetaType<CsvLayout>();
    setObjectName(QStringLiteral("CsvListDialog"));
    setWindowTitle(lngFormat("StrCsvTitel", {QFileInfo(path).fileName()}));

    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_separator = new QComboBox(this);
    m_separator->addItem(lng("StrCsvKomma"), QChar(u','));
    m_separator->addItem(lng("StrCsvSemikolon"), QChar(u';'));
    m_separator->addItem(lng("StrCsvTabulator"), QChar(u'\t'));
    auto *separatorLabel = new QLabel(lng("StrCsvTrennzeichen"), this);
    separatorLabel->setBuddy(m_separator);
    form->addRow(separatorLabel, m_separator);
    m_header = new QCheckBox(lng("StrCsvKopfzeile"), this);
    m_header->setChecked(initial.header);
    form->addRow(QString(), m_header);
    m_columns = new QListWidget(this);
    m_columns->setMaximumHeight(90);
    auto *columnsLabel = new QLabel(lng("StrCsvSpalten"), this);
    columnsLabel->setBuddy(m_columns);
    form->addRow(columnsLabel, m_columns);
    m_count = new QComboBox(this);
    auto *countLabel = new QLabel(lng("StrCsvAnzahlSpalte"), this);
    countLabel->setBuddy(m_count);
    form->addRow(countLabel, m_count);
    outer->addLayout(form);
    m_guessNote = new QLabel(lng("StrCsvGeraten"), this);
    m_guessNote->setWordWrap(true);
    m_guessNote->hide();
    outer->addWidget(m_guessNote);

    m_preview = new QTableWidget(this);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->setVisible(false);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    m_preview->setMinimumHeight(150);
    outer->addWidget(m_preview, 1);

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 0); // busy until the file is read
    m_status = new QLabel(lng("StrCsvLesen"), this);
    outer->addWidget(m_progress);
    outer->addWidget(m_status);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(m_buttons);
    resize(520, 460);

    auto *worker = new CsvListWorker(m_latest);
    worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(this, &CsvListDialog::requestLoad, worker, &CsvListWorker::load);
    connect(this, &CsvListDialog::requestCount, worker, &CsvListWorker::count);
    connect(worker, &CsvListWorker::loaded, this, &CsvListDialog::onLoaded);
    connect(worker, &CsvListWorker::progress, this, [this](int permille, int request) {
        if (request == m_latest->load())
            m_progress->setValue(permille);
    });
    connect(worker, &CsvListWorker::counted, this,
            [this](qint64 entries, qint64 rows, qint64 skipped, int request) {
                if (request != m_latest->load())
                    return;
                m_pending = 0;
                m_progress->setValue(1000);
                m_status->setText(lngFormat("StrCsvErgebnis",
                                            {grouped(entries), grouped(rows), grouped(skipped)}));
            });
    m_thread.start();

    connect(m_separator, &QComboBox::currentIndexChanged, this, [this] {
        rebuildColumns();
        layoutChanged();
    });
    connect(m_header, &QCheckBox::toggled, this, [this] {
        rebuildColumns();
        layoutChanged();
    });
    connect(m_columns, &QListWidget::itemChanged, this, [this] {
        if (!m_rebuilding)
            layoutChanged();
    });
    connect(m_count, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_rebuilding)
            layoutChanged();
    });
    Q_EMIT requestLoad(path);
}

CsvListDialog::~CsvListDialog()
{
    ++*m_latest; // stops a count that is still running
    m_thread.quit();
    m_thread.wait();
}

void CsvListDialog::onLoaded(const QString &head, QChar separator, const QString &encoding,
                             int error)
{
    m_loaded = true;
    if (error != int(ListFileError::None)) {
        ListFileResult failed;
        failed.error = ListFileError(error & 0xff);
        failed.refusal = ReadRefusal(error >> 8);
        m_progress->setRange(0, 1000);
        m_progress->setValue(0);
        m_status->setText(
            listFileMessage(failed, QFileInfo(m_path).fileName(), lng("HinweisDateiListe")));
        return;
    }
    m_head = head;
    const QChar chosen = m_initial.separatorKnown ? m_initial.separator : separator;
    m_rebuilding = true;
    m_separator->setCurrentIndex(qMax(0, m_separator->findData(chosen)));
    // A file nothing is stored for: the header row and the count column as the first rows
    // suggest, shown for the operator to confirm.
    CsvLayout wanted = m_initial;
    if (!m_initial.layoutKnown) {
        wanted =
            guessCsvLayout(csvRecords(head, m_separator->currentData().toChar(), PreviewRows + 1));
        const QSignalBlocker quiet(m_header);
        m_header->setChecked(wanted.header);
        m_guessNote->setVisible(wanted.header || wanted.countColumn >= 0);
    }
    m_rebuilding = false;
    m_status->setToolTip(encoding);
    m_progress->setRange(0, 1000);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(true);
    rebuildColumns();
    // The stored (or guessed) choice of columns, as far as the file has them.
    m_rebuilding = true;
    bool anyChecked = false;
    for (int i = 0; i < m_columns->count(); ++i) {
        const bool on = wanted.columns.contains(i);
        m_columns->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        anyChecked = anyChecked || on;
    }
    if (!anyChecked && m_columns->count() > 0)
        m_columns->item(0)->setCheckState(Qt::Checked);
    if (wanted.countColumn >= 0 && wanted.countColumn + 1 < m_count->count())
        m_count->setCurrentIndex(wanted.countColumn + 1);
    m_rebuilding = false;
    layoutChanged();
}

// The column choices after a change of separator or header: named by the header's cells when
// the first row holds them. Checked columns stay checked.
void CsvListDialog::rebuildColumns()
{
    if (!m_loaded || m_head.isNull())
        return;
    const QList<QStringList> records =
        csvRecords(m_head, m_separator->currentData().toChar(), PreviewRows + 1);
    int columns = 0;
    for (const QStringList &record : records)
        columns = qMax(columns, int(record.size()));
    columns = qMin(columns, MaxColumns);
    const QStringList names =
        m_header->isChecked() && !records.isEmpty() ? records.first() : QStringList();

    QList<bool> checked;
    for (int i = 0; i < m_columns->count(); ++i)
        checked.append(m_columns->item(i)->checkState() == Qt::Checked);
    const int count = m_count->currentIndex();

    m_rebuilding = true;
    m_columns->clear();
    m_count->clear();
    m_count->addItem(lng("StrCsvKeineSpalte"));
    for (int i = 0; i < columns; ++i) {
        QString name = lngFormat("StrCsvSpalte", {QString::number(i + 1)});
        if (i < names.size() && !names[i].trimmed().isEmpty())
            name += QStringLiteral(": ") + names[i].simplified().left(40);
        auto *item = new QListWidgetItem(name, m_columns);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(i < checked.size() && checked[i] ? Qt::Checked : Qt::Unchecked);
        m_count->addItem(name);
    }
    if (m_columns->count() > 0 && layout().columns.isEmpty())
        m_columns->item(0)->setCheckState(Qt::Checked);
    m_count->setCurrentIndex(count >= 0 && count < m_count->count() ? count : 0);
    m_rebuilding = false;
    fillPreview();
}

void CsvListDialog::fillPreview()
{
    const bool header = m_header->isChecked();
    const QList<QStringList> records =
        csvRecords(m_head, m_separator->currentData().toChar(), PreviewRows + (header ? 1 : 0));
    const int columns = m_columns->count();
    m_preview->clear();
    m_preview->setColumnCount(columns);
    QStringList labels;
    for (int i = 0; i < columns; ++i)
        labels.append(header && !records.isEmpty() && i < records.first().size()
                          ? records.first().at(i)
                          : QString::number(i + 1));
    m_preview->setHorizontalHeaderLabels(labels);
    const qsizetype first = header ? 1 : 0;
    m_preview->setRowCount(int(qMax<qsizetype>(0, records.size() - first)));
    for (qsizetype r = first; r < records.size(); ++r)
        for (int c = 0; c < columns && c < records[r].size(); ++c)
            m_preview->setItem(int(r - first), c, new QTableWidgetItem(records[r][c]));
}

CsvLayout CsvListDialog::layout() const
{
    CsvLayout layout;
    layout.separator = m_separator->currentData().toChar();
    layout.header = m_header->isChecked();
    layout.columns.clear();
    for (int i = 0; i < m_columns->count(); ++i) {
        if (m_columns->item(i)->checkState() == Qt::Checked)
            layout.columns.append(i);
    }
    layout.countColumn = m_count->currentIndex() - 1;
    if (layout.countColumn < -1)
        layout.countColumn = -1;
    return layout;
}

bool CsvListDialog::layoutGuessed() const
{
    return m_guessNote->isVisibleTo(this);
}

QString CsvListDialog::statusText() const
{
    return m_status->text();
}

void CsvListDialog::layoutChanged()
{
    if (!m_loaded || m_rebuilding)
        return;
    fillPreview();
    const CsvLayout chosen = layout();
    const bool usable = !chosen.columns.isEmpty();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(usable);
    if (!usable)
        return;
    const int request = ++*m_latest;
    m_pending = 1;
    m_progress->setValue(0);
    m_status->setText(lng("StrCsvLesen"));
    Q_EMIT requestCount(chosen, request);
}
