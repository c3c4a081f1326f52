#include "storage/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Mark = QByteArrayLiteral("\xEF\xBB\xBF");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<unreadable>");
    return file.readAll();
}

bool putBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

class TestTextFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void writeBytes_data();
    void writeBytes();
    void readBytes_data();
    void readBytes();
    void overwriteLongerFile();
    void largeTextRoundTrip();
    void largeMalformedFile();
    void sizeCapOnRead_data();
    void sizeCapOnRead();
    void sizeCapOnWrite_data();
    void sizeCapOnWrite();
    void readFailureEmptiesText_data();
    void readFailureEmptiesText();

    void dataFolders();
    void fallbackFolder();

    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void fullDiskKeepsOldFile();

private:
    QTemporaryDir m_dataHome;
};

void TestTextFiles::initTestCase()
{
    QVERIFY(m_dataHome.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
}

void TestTextFiles::writeBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("empty") << QString() << Mark << QString();
    QTest::newRow("ascii") << u"abc"_s << Mark + "abc" << u"abc"_s;
    QTest::newRow("e acute") << u"\u00e9"_s << Mark + "\xC3\xA9" << u"\u00e9"_s;
    QTest::newRow("surrogate pair") << u"\U0001F600"_s << Mark + "\xF0\x9F\x98\x80" << u"\U0001F600"_s;
    const QString lone = u"a"_s + QChar(0xD800) + u"b"_s;
    QTest::newRow("lone surrogate") << lone << Mark + "a\xEF\xBF\xBD" "b" << u"a\uFFFDb"_s;
    QTest::newRow("lone surrogate at end") << u"a"_s + QChar(0xD83D) << Mark + "a\xEF\xBF\xBD" << u"a\uFFFD"_s;
    QTest::newRow("lone low surrogate") << QString(QChar(0xDE00)) + u"a"_s << Mark + "\xEF\xBF\xBD" "a"
                                        << u"\uFFFDa"_s;
    const QString withNul = u"a"_s + QChar(0) + u"b"_s;
    QTest::newRow("U+0000") << withNul << Mark + QByteArray("a\0b", 3) << withNul;
    QTest::newRow("line ends") << u"a\r\nb\rc\n"_s << Mark + "a\r\nb\rc\n" << u"a\r\nb\rc\n"_s;
}

void TestTextFiles::writeBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"record.kiv"_s);
    QVERIFY(WriteUtf8File(path, text));
    QCOMPARE(fileBytes(path), bytes);
    QCOMPARE(listing(dir.path()), QStringList{u"record.kiv"_s});

    QString read = u"stale"_s;
    QVERIFY(ReadUtf8File(path, read));
    QCOMPARE(read, readBack);
}

void TestTextFiles::readBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero bytes") << QByteArray() << QString();
    QTest::newRow("mark only") << Mark << QString();
    QTest::newRow("no mark") << QByteArray("a\xC3\xA9") << u"a\u00e9"_s;
    QTest::newRow("mark") << Mark + "a\xC3\xA9" << u"a\u00e9"_s;
    QTest::newRow("mark twice") << Mark + Mark + "a" << u"\uFEFFa"_s;
    QTest::newRow("EF BB is no mark") << QByteArray("\xEF\xBB") << u"\uFFFD\uFFFD"_s;
    QTest::newRow("lone FF") << QByteArray("a\xFF" "b") << u"a\uFFFDb"_s;
    QTest::newRow("NUL byte") << Mark + QByteArray("a\0b", 3) << u"a"_s + QChar(0) + u"b"_s;
}

void TestTextFiles::readBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"record.kiv"_s);
    QVERIFY(putBytes(path, bytes));

    QString read = u"stale"_s;
    QVERIFY(ReadUtf8File(path, read));
    QCOMPARE(read, text);
}

void TestTextFiles::overwriteLongerFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"record.kiv"_s);
    QVERIFY(putBytes(path, QByteArray(10000, 'x')));
    QVERIFY(WriteUtf8File(path, u"short"_s));
    QCOMPARE(fileBytes(path), Mark + "short");
    QCOMPARE(listing(dir.path()), QStringList{u"record.kiv"_s});
}

void TestTextFiles::largeTextRoundTrip()
{
    // Several megabytes of characters one to four bytes long plus a lone surrogate, in a
    // pattern whose length puts the file layer's piece boundaries inside every character.
    const QString unit = u"a\u00e9\u20ac\U0001F600"_s + QChar(0xD800) + u"b"_s;
    const QString text = unit.repeated(3 * 1024 * 1024 / unit.size());
    QString expected = text;
    expected.replace(QChar(0xD800), QChar(0xFFFD));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"large.kiv"_s);
    QVERIFY(WriteUtf8File(path, text));
    QCOMPARE(fileBytes(path), Mark + expected.toUtf8());
    QString read;
    QVERIFY(ReadUtf8File(path, read));
    QCOMPARE(read, expected);
}

void TestTextFiles::largeMalformedFile()
{
    // Malformed bytes decode the same wherever the reader's pieces happen to end.
    const QByteArray unit("\xE2\x82" "a\xF0\x9F\x98\xFF\x80\x80\x80\x80\x80\xC3\xA9\xEF\xBB\xBF\xED\xA0\x80z");
    const QByteArray bytes = Mark + unit.repeated(3 * 1024 * 1024 / unit.size()) + "\xF0\x9F";
    QStringDecoder oneGo(QStringConverter::Utf8,
                         QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString expected = oneGo.decode(QByteArrayView(bytes).sliced(Mark.size()));
    QVERIFY(expected.startsWith(u"\uFFFD"_s) && expected.contains(QChar(0xFEFF)));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"malformed.kiv"_s);
    QVERIFY(putBytes(path, bytes));
    QString read;
    QVERIFY(ReadUtf8File(path, read));
    QCOMPARE(read, expected);
}

void TestTextFiles::sizeCapOnRead_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("exactly the cap") << TextFiles::MaxFileSize << true;
    QTest::newRow("one byte over") << TextFiles::MaxFileSize + 1 << false;
}

void TestTextFiles::sizeCapOnRead()
{
    QFETCH(qint64, size);
    QFETCH(bool, accepted);
    QCOMPARE(TextFiles::MaxFileSize, qint64(33554432));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.kiv"_s);
    QVERIFY(putBytes(path, Mark + QByteArray(size - Mark.size(), 'a')));

    QString read = u"stale"_s;
    QCOMPARE(ReadUtf8File(path, read), accepted);
    if (accepted)
        QCOMPARE(read, QString(size - Mark.size(), u'a'));
    else
        QVERIFY(read.isEmpty());
}

void TestTextFiles::sizeCapOnWrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    const qsizetype room = TextFiles::MaxFileSize - Mark.size();
    QTest::newRow("fills the cap") << QString(room, u'a') << true;
    QTest::newRow("one byte over") << QString(room + 1, u'a') << false;
    // Fewer UTF-16 units than the cap, but two bytes each in UTF-8.
    QTest::newRow("over once encoded") << QString(room / 2 + 1, u'\u00e9') << false;
}

void TestTextFiles::sizeCapOnWrite()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    // A file the reader would refuse must not replace one it can read.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.kiv"_s);
    const QByteArray old = Mark + "old";
    QVERIFY(putBytes(path, old));

    QCOMPARE(WriteUtf8File(path, text), accepted);
    QCOMPARE(listing(dir.path()), QStringList{u"big.kiv"_s});
    if (accepted) {
        QCOMPARE(QFileInfo(path).size(), TextFiles::MaxFileSize);
        QString read;
        QVERIFY(ReadUtf8File(path, read));
        QCOMPARE(read, text);
    } else {
        QCOMPARE(fileBytes(path), old);
    }
}

void TestTextFiles::readFailureEmptiesText_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("missing") << u"missing.kiv"_s;
    QTest::newRow("missing folder") << u"missing/record.kiv"_s;
    QTest::newRow("folder") << u"folder"_s;
}

void TestTextFiles::readFailureEmptiesText()
{
    QFETCH(QString, name);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    QString read = u"stale"_s;
    QVERIFY(!ReadUtf8File(dir.filePath(name), read));
    QVERIFY(read.isEmpty());
}

void TestTextFiles::dataFolders()
{
    const QString data = m_dataHome.path() + u"/Quorvane/Kestrova"_s;
    QVERIFY(QDir(m_dataHome.path() + u"/Quorvane"_s).removeRecursively());

    QCOMPARE(GetDataFolder(), data);
    QVERIFY(QFileInfo(data).isDir());

    QCOMPARE(GetDefaultsFilePath(), data + u"/clinic-defaults.json"_s);
    QVERIFY(!QFileInfo::exists(GetDefaultsFilePath()));

    // Composed and created afresh on every call, parents included.
    QVERIFY(QDir(m_dataHome.path() + u"/Quorvane"_s).removeRecursively());
    QCOMPARE(GetRecordsFolder(), data + u"/Records"_s);
    QVERIFY(QFileInfo(data + u"/Records"_s).isDir());
    QCOMPARE(listing(data), QStringList{u"Records"_s});
}

void TestTextFiles::fallbackFolder()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    QCOMPARE(TextFiles::dataFolderUnder(QString()), u"."_s);
    QCOMPARE(listing(dir.path()), QStringList());

    QCOMPARE(TextFiles::recordsFolderIn(u"."_s), u"./Records"_s);
    QVERIFY(QFileInfo(dir.filePath(u"Records"_s)).isDir());
}

void TestTextFiles::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("path is a folder") << u"folder"_s;
    QTest::newRow("parent is a file") << u"old.kiv/new.kiv"_s;
    QTest::newRow("folder gone") << u"gone/new.kiv"_s;
}

void TestTextFiles::failedSaveKeepsOldFile()
{
    QFETCH(QString, name);

    QTemporaryDir dir;
    const QByteArray old = Mark + "old record";
    QVERIFY(putBytes(dir.filePath(u"old.kiv"_s), old));
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    const QStringList before = listing(dir.path());

    QVERIFY(!WriteUtf8File(dir.filePath(name), u"new record"_s));
    QCOMPARE(fileBytes(dir.filePath(u"old.kiv"_s)), old);
    QVERIFY(QFileInfo(dir.filePath(u"folder"_s)).isDir());
    QCOMPARE(listing(dir.filePath(u"folder"_s)), QStringList());
    QCOMPARE(listing(dir.path()), before);
}

void TestTextFiles::fullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    const QString mountPoint = dir.path();
    if (QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, mountPoint}) != 0)
        QSKIP("cannot mount a small tmpfs here (needs root)");
    auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {mountPoint}); });

    const QString path = mountPoint + u"/record.kiv"_s;
    const QByteArray old = Mark + QByteArray(4000, 'o');
    QVERIFY(putBytes(path, old));

    QVERIFY(!WriteUtf8File(path, QString(256 * 1024, u'n')));
    QCOMPARE(fileBytes(path), old);
    QCOMPARE(listing(mountPoint), QStringList{u"record.kiv"_s});

    // The same file takes a text that fits.
    QVERIFY(WriteUtf8File(path, u"fits"_s));
    QCOMPARE(fileBytes(path), Mark + "fits");
}

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_textfiles.moc"
