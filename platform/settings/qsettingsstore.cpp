#include "platform/settings/qsettingsstore.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <utility>

#include "sheet/error.h"

namespace lattora {

namespace {

const QString kSection = QStringLiteral("Lattora");
// A damaged file may have a line wrong for every line it holds; the user
// needs the first few to recognise it, not a box taller than the screen.
constexpr qsizetype kMostLinesListed = 10;
constexpr int kMostCopies = 100;
// The program's own file is a few kilobytes, a long list of line sets a
// megabyte; far past that it is no settings file, and reading it whole (a
// link to /dev/zero never ends) would only exhaust memory.
constexpr qint64 kLargestFile = qint64(16) << 20;
constexpr char kByteOrderMark[] = "\xef\xbb\xbf";

QString path(const QString& key) {
    return kSection + QLatin1Char('/') + key;
}

// The position of `name` in the key table, -1 when it is none of the program's.
int ownKey(QByteArrayView name) {
    const std::span<const SettingKey> keys = settingKeys();
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        if (QLatin1StringView(name) == keys[i].name) {
            return i;
        }
    }
    return -1;
}

// The text a stored value gives: a plain string, or the items of a value
// with unquoted commas joined back (edited by hand, say "0,5": the user meant
// the text as written). Anything else (an "@Rect(...)" and the like) is not
// text the program ever stores.
std::optional<QString> textOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        return value.toString();
    }
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return std::nullopt;
}

QString lineList(const QList<int>& lines) {
    QStringList numbers;
    for (const int line : lines) {
        numbers << QString::number(line);
    }
    const QString last = numbers.takeLast();
    return numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

// What QSettings makes of an INI file, read the way it reads one: an entry
// runs to the end of its line, past line ends inside quotation marks and
// after a backslash; ";" outside quotation marks starts a comment; "["
// starts a section header; any other entry needs an "=". Linear in the size
// of the file, however it is damaged.
class IniScan {
public:
    explicit IniScan(QByteArrayView data) : data_(data) {
        if (data_.startsWith(kByteOrderMark)) {
            data_ = data_.sliced(std::size(kByteOrderMark) - 1);
        }
        run();
    }

    // What could not be read, for the user, in the order of the file.
    QStringList problems;
    // Writing the file anew would drop or change something it holds.
    bool rewriteLoses = false;

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    // Steps over the byte at i_, counting the line it ends.
    void step() {
        const char c = data_[i_];
        if (c == '\n' || (c == '\r' && (i_ + 1 == data_.size() || data_[i_ + 1] != '\n'))) {
            ++line_;
        }
        ++i_;
    }

    // Whether the next problem is listed; past the first few they are only
    // counted, and their text is never made.
    bool listing() {
        if (listed_ < kMostLinesListed) {
            ++listed_;
            return true;
        }
        ++unlisted_;
        return false;
    }

    void run() {
        while (true) {
            while (i_ < data_.size() && isSpace(data_[i_])) {
                step();
            }
            if (i_ == data_.size()) {
                break;
            }
            if (data_[i_] == ';') {
                rewriteLoses = true;
                while (i_ < data_.size() && data_[i_] != '\n' && data_[i_] != '\r') {
                    step();
                }
                continue;
            }
            entry();
        }
        for (auto it = ownLines_.cbegin(); it != ownLines_.cend(); ++it) {
            if (it.value().size() > 1) {
                rewriteLoses = true;
                problems << QStringLiteral("\"%1\" is set on lines %2; the last one is used")
                                .arg(settingKeys()[it.key()].name, lineList(it.value()));
            }
        }
        if (unlisted_ > 0) {
            problems << QStringLiteral("%1 more lines of the file could not be read either")
                            .arg(unlisted_);
        }
    }

    void entry() {
        const qsizetype start = i_;
        const int firstLine = line_;
        int lastLine = line_;  // of the entry's last byte that is not a line end
        qsizetype equals = -1;
        bool inQuotes = false;
        bool quotedLineEnd = false;
        while (i_ < data_.size()) {
            const char c = data_[i_];
            const bool lineEnd = c == '\n' || c == '\r';
            if (!inQuotes && (lineEnd || c == ';')) {
                if (c == ';') {
                    rewriteLoses = true;  // a comment after the value
                }
                break;
            }
            if (lineEnd) {
                quotedLineEnd = true;
            } else {
                lastLine = line_;
                if (c == '=' && !inQuotes && equals < 0) {
                    equals = i_ - start;
                } else if (c == '"') {
                    inQuotes = !inQuotes;
                } else if (c == '\\' && i_ + 1 < data_.size()) {
                    // The next byte is taken as it is; a line end after the
                    // backslash continues the entry on the next line.
                    step();
                    const char escaped = data_[i_];
                    step();
                    if (i_ < data_.size() && ((escaped == '\n' && data_[i_] == '\r') ||
                                              (escaped == '\r' && data_[i_] == '\n'))) {
                        step();
                    }
                    continue;
                }
            }
            step();
        }
        read(data_.sliced(start, i_ - start), equals, firstLine, quotedLineEnd ? lastLine : 0);
    }

    // `quotedUpTo`: the last line a quotation running past its line end
    // took in, 0 when there is none.
    void read(QByteArrayView text, qsizetype equals, int line, int quotedUpTo) {
        const auto shown = [text] { return quotedExcerpt(QString::fromUtf8(text)); };
        // A line a rewrite of the file would lose; `what` has the line's
        // number as %1 and its text as %2.
        const auto lost = [&](const QString& what) {
            rewriteLoses = true;
            if (listing()) {
                problems << what.arg(line).arg(shown());
            }
        };
        if (quotedUpTo > 0) {
            rewriteLoses = true;
            if (listing()) {
                problems << QStringLiteral(
                                "line %1 opens a quotation that does not close on it, so lines "
                                "%1 to %2 are read as one value: %3")
                                .arg(line)
                                .arg(quotedUpTo)
                                .arg(shown());
            }
        }
        if (!text.isValidUtf8()) {
            lost(QStringLiteral("line %1 holds bytes that are not UTF-8 text, read as \uFFFD: %2"));
        }
        if (text.startsWith('[')) {
            qsizetype end = text.indexOf(']');
            if (end < 0) {
                lost(QStringLiteral("line %1 starts a section without closing it with \"]\": %2"));
                end = text.size();
            }
            inOwnSection_ = QLatin1StringView(text.sliced(1, end - 1).trimmed()) == kSection;
            return;
        }
        if (equals < 0) {
            lost(QStringLiteral("line %1 is not a setting (it has no \"=\") and is ignored: %2"));
            return;
        }
        const int key = ownKey(text.first(equals).trimmed());
        if (key < 0) {
            return;
        }
        if (inOwnSection_) {
            ownLines_[key] << line;
        } else if (listing()) {
            problems << QStringLiteral(
                            "\"%1\" on line %2 is outside the [%3] section and is "
                            "ignored")
                            .arg(settingKeys()[key].name)
                            .arg(line)
                            .arg(kSection);
        }
    }

    QByteArrayView data_;
    qsizetype i_ = 0;
    int line_ = 1;
    bool inOwnSection_ = false;
    QMap<int, QList<int>> ownLines_;  // the lines of each own key in the own section
    qsizetype listed_ = 0;
    qsizetype unlisted_ = 0;
};

const QString kEveryDefault = QStringLiteral("every setting has its default");

// What the settings file holds, read only when it is a regular file within
// kLargestFile: QSettings reads whatever it is given to the end, and opening
// a pipe blocks until a writer comes. A file that is not there, a link to
// nothing and a folder hold nothing, and QSettings may be let at them.
struct FileContents {
    std::optional<QByteArray> bytes;  // nothing when the file is not to be touched
    QString problem;                  // one line for the user, empty when all is well
};

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

FileContents readSettingsFile(const QString& file) {
    const QFileInfo info(file);
    if (info.isSymLink() && !info.exists()) {
        return {QByteArray(), QStringLiteral("\"%1\" links to \"%2\", which does not exist; %3")
                                  .arg(file, info.symLinkTarget(), kEveryDefault)};
    }
    const auto unreadable = [&file](const QString& reason) {
        return FileContents{
            std::nullopt,
            QStringLiteral("\"%1\" cannot be read (%2); %3").arg(file, reason, kEveryDefault)};
    };
    const QString notRegular = QStringLiteral("it is not a regular file");
    const QByteArray native = QFile::encodeName(file);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0) {
        // Only a file that is not there is a fresh start; a folder on the way
        // that cannot be searched, or that is a file, hides what is there.
        return errno == ENOENT ? FileContents{QByteArray(), {}} : unreadable(systemReason());
    }
    if (S_ISDIR(status.st_mode)) {
        return {
            QByteArray(),
            QStringLiteral("\"%1\" is a folder, not a settings file; %2").arg(file, kEveryDefault)};
    }
    if (!S_ISREG(status.st_mode)) {
        return unreadable(notRegular);
    }
    // Never blocks, should the name have become a pipe in between; what was
    // opened is checked once more.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return unreadable(systemReason());
    }
    QFile source;
    source.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return unreadable(notRegular);
    }
    QByteArray bytes = source.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile) {
        return unreadable(QStringLiteral("it is larger than %1 MB").arg(kLargestFile >> 20));
    }
    return {std::move(bytes), {}};
}

}  // namespace

// QSettings would name an INI file ".ini"; the store's file is Lattora.conf
// under the organisation's folder of the user's configuration directory.
QSettingsStore::QSettingsStore()
    : QSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/Tarnhill/Lattora.conf")) {}

QSettingsStore::QSettingsStore(const QString& path) : file_(QFileInfo(path).absoluteFilePath()) {
    const FileContents contents = readSettingsFile(file_);
    if (contents.bytes) {
        settings_ = std::make_unique<QSettings>(file_, QSettings::IniFormat);
    }
    passedOver_ = inspect(contents.bytes.value_or(QByteArray()), contents.problem);
}

QSettingsStore::~QSettingsStore() = default;

QStringList QSettingsStore::inspect(QByteArrayView bytes, const QString& problem) const {
    QStringList found;
    if (!problem.isEmpty()) {
        found << problem;
    }
    if (!settings_) {
        return found;
    }
    found << IniScan(bytes).problems;
    // Parses every section, so that status() tells of anything unreadable.
    // Not after a byte-order mark, though: QSettings then misreads the start
    // of its first section and says so, yet reads every value right.
    settings_->allKeys();
    if (found.isEmpty() && settings_->status() != QSettings::NoError &&
        !bytes.startsWith(kByteOrderMark)) {
        found << QStringLiteral("\"%1\" could not be read in full").arg(file_);
    }

    const UnitSystem system = unitSystem(*this);
    for (const SettingKey& row : settingKeys()) {
        const QString& key = row.name;
        if (!settings_->contains(path(key))) {
            continue;
        }
        // "@Invalid()" gives no value at all, yet the key is there.
        const QVariant value = settings_->value(path(key));
        const std::optional<QString> text = value.isValid() ? textOf(value) : std::nullopt;
        if (!text) {
            found << ignoredSettingText(key, std::nullopt, QStringLiteral("does not hold text"),
                                        system);
        } else if (const auto reason = unusableSettingReason(key, *text)) {
            found << ignoredSettingText(key, *text, *reason, system);
        }
    }
    return found;
}

QString QSettingsStore::getSetting(const QString& key, const QString& defaultValue) const {
    if (!settings_) {
        return defaultValue;
    }
    const QVariant value = settings_->value(path(key));
    if (!value.isValid()) {
        return defaultValue;
    }
    const std::optional<QString> text = textOf(value);
    if (!text || unusableSettingReason(key, *text)) {
        return defaultValue;
    }
    return *text;
}

void QSettingsStore::keepCopyIfRewriteLoses() {
    const QString& file = file_;
    // Nothing to keep, or nothing that can be read: the write itself will
    // create the file or fail and say so.
    const std::optional<QByteArray> bytes = readSettingsFile(file).bytes;
    if (!bytes || !IniScan(*bytes).rewriteLoses) {
        return;
    }
    QString copy;
    for (int n = 1; n <= kMostCopies && copy.isEmpty(); ++n) {
        const QString name =
            file + QStringLiteral(".damaged") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        // An earlier copy is never replaced: it may hold what this one lacks.
        QFile target(name);
        if (target.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const bool written = target.write(*bytes) == bytes->size() && target.flush();
            target.close();
            if (!written) {
                target.remove();
                break;
            }
            target.setPermissions(QFile::permissions(file));
            copy = name;
        } else if (!target.exists()) {
            break;
        }
    }
    if (copy.isEmpty()) {
        throw Error(QStringLiteral("The settings file %1 holds lines the program cannot read, "
                                   "and no copy of it could be kept beside it before saving; "
                                   "nothing was saved")
                        .arg(file));
    }
    keptCopy_ = copy;
    saveNotice_ = QStringLiteral(
                      "The settings file %1 held lines the program could not read or "
                      "does not keep, which saving would have dropped. The file as it "
                      "was has been copied to %2.")
                      .arg(file, copy);
}

void QSettingsStore::saveSetting(const QString& key, const QString& value) {
    // What could not be read is not written over either.
    if (!settings_) {
        throw Error(
            QStringLiteral("The setting \"%1\" could not be saved to %2, which cannot be read")
                .arg(key, file_));
    }
    if (!rewriteChecked_) {
        keepCopyIfRewriteLoses();
        rewriteChecked_ = true;
    }
    if (settings_->status() != QSettings::NoError) {
        // QSettings keeps the first error it met, which here was met reading
        // the file, and would hide whether the write fails. A QSettings opened
        // anew shares the file as already read, and starts without one.
        settings_ = std::make_unique<QSettings>(file_, QSettings::IniFormat);
    }
    settings_->setValue(path(key), value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        // Named once for every key a dialog saves: the caller names the keys.
        throw Error(QStringLiteral("The settings file %1 could not be written").arg(file_));
    }
}

QString QSettingsStore::fileName() const {
    return file_;
}

QString QSettingsStore::takeSaveNotice() {
    return std::exchange(saveNotice_, QString());
}

}  // namespace lattora
