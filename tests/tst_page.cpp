// The forms page in the real engine, driven through the functions the program calls.
#include <QtTest>

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Records "kiv:" navigations and cancels them, as the program's page does.
class CommandPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList commands;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        if (url.scheme() == u"kiv"_s) {
            commands.append(url.toString(QUrl::FullyEncoded).mid(4));
            return false;
        }
        return true;
    }
};

// A text as a JavaScript string literal (JSON array element), safe for any content.
QString literal(const QString &text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return u"("_s + QString::fromUtf8(json) + u"[0])"_s;
}

} // namespace

class TestPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void contractFunctionsExist();
    void roundTripIsIdentical();
    void emptyTextStartsEmptyRecord();
    void badTextLeavesFormUntouched_data();
    void badTextLeavesFormUntouched();
    void defaultsTouchOnlyTheirFields();
    void unknownDefaultsChangeNothing_data();
    void unknownDefaultsChangeNothing();
    void hostileValuesRenderAsText();
    void sharedFieldsAreEnteredOnce();
    void validationLinksFindingsToFields();
    void certificateNotReadyWithoutQualifyingDetermination();
    void printPreparation();
    void printedPages();
    void recordWithEveryFormRoundTrips();
    void everyFormPrintsOnLetter_data();
    void everyFormPrintsOnLetter();
    void packetHoldsEveryIncludedForm();
    void workplaceFindingOpensItsForm();
    void commandButtonsNavigate();
    void everyControlHasALabel();
    void toastShowsMessage();

private:
    QVariant js(const QString &script);
    QString bufferRoundTrip(const QString &callText, const QString &bufferText);
    void typeInto(const QString &path, const QString &value);
    QByteArray pdf();
    void includeEveryForm();

    std::unique_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<CommandPage> m_page;
    std::unique_ptr<QWebEngineView> m_view;
};

QVariant TestPage::js(const QString &script)
{
    struct State { QVariant value; bool done = false; QEventLoop loop; };
    auto state = std::make_shared<State>();
    m_page->runJavaScript(script, [state](const QVariant &value) {
        state->value = value;
        state->done = true;
        state->loop.quit();
    });
    QTimer::singleShot(60000, &state->loop, &QEventLoop::quit);
    if (!state->done)
        state->loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!state->done)
        qWarning("script timed out: %s", qPrintable(script.left(120)));
    return state->value;
}

// Puts a text into nativeBuffer and runs one of the program's call texts.
QString TestPage::bufferRoundTrip(const QString &callText, const QString &bufferText)
{
    js(u"document.getElementById('nativeBuffer').value = "_s + literal(bufferText) + u";"_s);
    return js(u"(function () { try { "_s + callText + u" return 'ok'; } catch (e) { return 'threw: ' + e; } })()"_s).toString();
}

void TestPage::typeInto(const QString &path, const QString &value)
{
    const QVariant done = js(u"(function () { var e = document.querySelector('#formArea [name=\"' + "_s + literal(path)
                             + u" + '\"]'); if (!e) return false; e.value = "_s + literal(value)
                             + u"; e.dispatchEvent(new Event('input', { bubbles: true })); return true; })()"_s);
    QVERIFY2(done.toBool(), qPrintable(path));
}

QByteArray TestPage::pdf()
{
    struct State { QByteArray data; bool done = false; QEventLoop loop; };
    auto state = std::make_shared<State>();
    m_page->printToPdf([state](const QByteArray &data) {
        state->data = data;
        state->done = true;
        state->loop.quit();
    }, QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(12.7, 12.7, 12.7, 12.7),
                   QPageLayout::Millimeter));
    QTimer::singleShot(120000, &state->loop, &QEventLoop::quit);
    if (!state->done)
        state->loop.exec(QEventLoop::ExcludeUserInputEvents);
    return state->data;
}

// Ticks every form in the side panel, so that the record includes them all.
void TestPage::includeEveryForm()
{
    // The list is built anew after each tick, so each box is looked up again.
    js(u"Kestrova.forms.list().forEach(function (d) { var c = document.getElementById('include-' + d.id); if (!c.checked) c.click(); });"_s);
}

void TestPage::initTestCase()
{
    m_profile = std::make_unique<QWebEngineProfile>();
    m_page = std::make_unique<CommandPage>(m_profile.get());
    // A window of a real size, so that layout and scrolling are those the user sees.
    m_view = std::make_unique<QWebEngineView>();
    m_view->setPage(m_page.get());
    m_view->resize(1400, 1000);
    m_view->show();
    QWebEngineSettings *settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);

    const QString file = QStringLiteral(KESTROVA_BUILD_DIR) + u"/html/kestrova.html"_s;
    QVERIFY2(QFile::exists(file), qPrintable(file));
    QSignalSpy loaded(m_page.get(), &QWebEnginePage::loadFinished);
    m_page->load(QUrl::fromLocalFile(file));
    QVERIFY(loaded.wait(60000));
    QVERIFY(loaded.first().first().toBool());
    QTRY_VERIFY_WITH_TIMEOUT(js(u"document.readyState"_s).toString() == u"complete"_s, 30000);
}

void TestPage::cleanupTestCase()
{
    m_view.reset();
    m_page.reset();
    m_profile.reset();
}

void TestPage::init()
{
    js(u"newRecord();"_s);
}

void TestPage::contractFunctionsExist()
{
    const QStringList names = {u"newRecord"_s, u"loadRecord"_s, u"collectRecord"_s, u"collectDefaults"_s,
                               u"applyPartial"_s, u"showToast"_s, u"validateRecord"_s, u"fillTestData"_s,
                               u"preparePrintCurrent"_s, u"preparePrintPacket"_s};
    for (const QString &name : names)
        QCOMPARE(js(u"typeof "_s + name).toString(), u"function"_s);
    QCOMPARE(js(u"(function () { var b = document.getElementById('nativeBuffer'); return b.localName + '/' + getComputedStyle(b).display; })()"_s).toString(),
             u"textarea/none"_s);
}

void TestPage::roundTripIsIdentical()
{
    js(u"fillTestData();"_s);
    // Characters that a careless format loses: line breaks, U+2028, non-BMP, markup.
    typeInto(u"patient.middleInitial"_s, u"\u00c9"_s);
    js(u"document.getElementById('include-mcsa-5875').nextElementSibling.nextElementSibling.click();"_s);
    typeInto(u"mcsa-5875.historyComments"_s, u"line one\r\nline two\u2028\U0001F600 <b>bold</b> & \"quoted\""_s);
    const QString first = js(u"collectRecord()"_s).toString();
    QVERIFY(first.contains(u"TEST"_s));
    QVERIFY2(!first.contains(u'\r'), "the record text holds no raw CR");

    const QJsonObject data = QJsonDocument::fromJson(first.toUtf8()).object();
    QCOMPARE(data.value(u"format"_s).toString(), u"kestrova-record"_s);
    QCOMPARE(data.value(u"version"_s).toInt(), 1);
    QCOMPARE(data.value(u"forms"_s).toArray(), (QJsonArray{u"visit-face-sheet"_s, u"mcsa-5875"_s, u"mcsa-5876"_s}));

    js(u"newRecord();"_s);
    QVERIFY(!js(u"collectRecord()"_s).toString().contains(u"TEST"_s));

    // The way the program opens and saves: through nativeBuffer and the fixed call texts.
    QCOMPARE(bufferRoundTrip(u"loadRecord(document.getElementById('nativeBuffer').value);"_s, first), u"ok"_s);
    js(u"document.getElementById('nativeBuffer').value=collectRecord();"_s);
    QCOMPARE(js(u"document.getElementById('nativeBuffer').value"_s).toString(), first);
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"patient.lastName\"]').value"_s).toString(), u"TEST"_s);
    QCOMPARE(js(u"document.getElementById('stripState').textContent"_s).toString(), u"Opened from file"_s);
}

void TestPage::emptyTextStartsEmptyRecord()
{
    js(u"fillTestData();"_s);
    QCOMPARE(bufferRoundTrip(u"loadRecord(document.getElementById('nativeBuffer').value);"_s, QString()), u"ok"_s);
    const QJsonObject data = QJsonDocument::fromJson(js(u"collectRecord()"_s).toString().toUtf8()).object();
    QVERIFY(data.value(u"shared"_s).toObject().value(u"patient"_s).toObject().isEmpty());
    QVERIFY(data.value(u"formData"_s).toObject().isEmpty());
    QVERIFY(js(u"document.getElementById('messageBar').hidden"_s).toBool());
}

void TestPage::badTextLeavesFormUntouched_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("not json") << u"this is not a record"_s;
    QTest::newRow("other json") << u"{\"name\": \"something else\"}"_s;
    QTest::newRow("defaults file") << u"{\"format\":\"kestrova-defaults\",\"version\":1,\"clinic\":{}}"_s;
    QTest::newRow("newer version") << u"{\"format\":\"kestrova-record\",\"version\":99,\"shared\":{}}"_s;
    QTest::newRow("wrong type") << u"{\"format\":\"kestrova-record\",\"version\":1,\"shared\":{\"patient\":{\"lastName\":{\"x\":1}}}}"_s;
    QTest::newRow("prototype key") << u"{\"format\":\"kestrova-record\",\"version\":1,\"shared\":{\"patient\":{\"__proto__\":{\"x\":1}}}}"_s;
    QTest::newRow("deep nesting") << (u"{\"format\":\"kestrova-record\",\"version\":1,\"formData\":{\"x\":{\"a\":"_s
                                      + QString(200000, u'[') + QString(200000, u']') + u"}}}"_s);
    QTest::newRow("huge value") << (u"{\"format\":\"kestrova-record\",\"version\":1,\"shared\":{\"patient\":{\"lastName\":\""_s
                                    + QString(3 * 1024 * 1024, u'x') + u"\"}}}"_s);
    QTest::newRow("json array") << u"[1, 2, 3]"_s;
}

void TestPage::badTextLeavesFormUntouched()
{
    QFETCH(QString, text);
    js(u"fillTestData();"_s);
    const QString before = js(u"collectRecord()"_s).toString();
    QVERIFY(js(u"document.getElementById('messageBar').hidden"_s).toBool());

    // A refused text throws, so the program learns the form does not show the file.
    QVERIFY(bufferRoundTrip(u"loadRecord(document.getElementById('nativeBuffer').value);"_s, text).startsWith(u"threw"_s));

    QCOMPARE(js(u"collectRecord()"_s).toString(), before);
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"patient.lastName\"]').value"_s).toString(), u"TEST"_s);
    QVERIFY(!js(u"document.getElementById('messageBar').hidden"_s).toBool());
    const QString message = js(u"document.getElementById('messageText').textContent"_s).toString();
    QVERIFY2(message.contains(u"could not be opened"_s) && message.contains(u"left as it was"_s), qPrintable(message));
    QCOMPARE(js(u"document.getElementById('messageBar').getAttribute('role')"_s).toString(), u"alert"_s);
}

void TestPage::defaultsTouchOnlyTheirFields()
{
    js(u"fillTestData();"_s);
    js(u"document.getElementById('nativeBuffer').value=collectDefaults();"_s);
    const QString defaults = js(u"document.getElementById('nativeBuffer').value"_s).toString();
    const QJsonObject d = QJsonDocument::fromJson(defaults.toUtf8()).object();
    QCOMPARE(d.keys(), (QStringList{u"clinic"_s, u"employer"_s, u"format"_s, u"provider"_s, u"version"_s}));
    QVERIFY(!defaults.contains(u"Patient"_s));

    js(u"newRecord();"_s);
    typeInto(u"patient.lastName"_s, u"KEEP"_s);
    typeInto(u"provider.name"_s, u"TO BE REPLACED"_s);
    QCOMPARE(bufferRoundTrip(u"applyPartial(document.getElementById('nativeBuffer').value);"_s, defaults), u"ok"_s);

    const QJsonObject record = QJsonDocument::fromJson(js(u"collectRecord()"_s).toString().toUtf8()).object();
    const QJsonObject shared = record.value(u"shared"_s).toObject();
    QCOMPARE(shared.value(u"patient"_s).toObject(), (QJsonObject{{u"lastName"_s, u"KEEP"_s}}));
    QVERIFY(shared.value(u"visit"_s).toObject().isEmpty());
    QVERIFY(record.value(u"formData"_s).toObject().isEmpty());
    QCOMPARE(shared.value(u"clinic"_s).toObject(), d.value(u"clinic"_s).toObject());
    QCOMPARE(shared.value(u"provider"_s).toObject(), d.value(u"provider"_s).toObject());
    QCOMPARE(shared.value(u"employer"_s).toObject(), d.value(u"employer"_s).toObject());
    // The form on screen shows the laid-over values at once.
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"provider.name\"]').value"_s).toString(),
             d.value(u"provider"_s).toObject().value(u"name"_s).toString());
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"patient.lastName\"]').value"_s).toString(), u"KEEP"_s);
}

void TestPage::unknownDefaultsChangeNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("garbage") << u"{{{"_s;
    QTest::newRow("a record") << u"{\"format\":\"kestrova-record\",\"version\":1,\"shared\":{\"patient\":{\"lastName\":\"X\"}}}"_s;
    QTest::newRow("newer defaults") << u"{\"format\":\"kestrova-defaults\",\"version\":5,\"clinic\":{\"name\":\"X\"}}"_s;
    QTest::newRow("bad group") << u"{\"format\":\"kestrova-defaults\",\"version\":1,\"clinic\":\"X\"}"_s;
}

void TestPage::unknownDefaultsChangeNothing()
{
    QFETCH(QString, text);
    js(u"fillTestData();"_s);
    const QString before = js(u"collectRecord()"_s).toString();
    QCOMPARE(bufferRoundTrip(u"applyPartial(document.getElementById('nativeBuffer').value);"_s, text), u"ok"_s);
    QCOMPARE(js(u"collectRecord()"_s).toString(), before);
}

void TestPage::hostileValuesRenderAsText()
{
    const QString markup = u"<img src=x onerror=\"window.__pwned=1\">"_s;
    const QString script = u"</textarea><script>window.__pwned=2</script>"_s;
    QJsonObject patient{{u"lastName"_s, markup}, {u"firstName"_s, script}, {u"dob"_s, u"1980-01-02"_s}};
    QJsonObject shared{{u"patient"_s, patient}};
    QJsonObject form{{u"historyComments"_s, script}, {u"determination"_s, markup}};
    QJsonObject record{{u"format"_s, u"kestrova-record"_s}, {u"version"_s, 1},
                       {u"forms"_s, QJsonArray{u"mcsa-5875"_s, u"mcsa-5876"_s}},
                       {u"shared"_s, shared}, {u"formData"_s, QJsonObject{{u"mcsa-5875"_s, form}}}};
    const QString text = QString::fromUtf8(QJsonDocument(record).toJson());
    QCOMPARE(bufferRoundTrip(u"loadRecord(document.getElementById('nativeBuffer').value);"_s, text), u"ok"_s);
    js(u"preparePrintPacket(); validateRecord(true);"_s);
    QTest::qWait(500);

    QVERIFY(js(u"typeof window.__pwned === 'undefined'"_s).toBool());
    QCOMPARE(js(u"document.querySelectorAll('img, script:not([src])').length"_s).toInt(), 0);
    QCOMPARE(js(u"document.getElementById('stripName').textContent"_s).toString(), markup + u", "_s + script);
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"patient.lastName\"]').value"_s).toString(), markup);
    QVERIFY(js(u"document.getElementById('printRoot').textContent"_s).toString().contains(markup));
}

void TestPage::sharedFieldsAreEnteredOnce()
{
    typeInto(u"patient.lastName"_s, u"SHARED"_s);
    // The certificate shows the same field; a second binding on the report shows it too.
    js(u"document.querySelectorAll('.form-link')[1].click();"_s);
    QCOMPARE(js(u"document.getElementById('formTitle').textContent"_s).toString().left(25), u"Medical Examiner\u2019s Certif"_s);
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"patient.lastName\"]').value"_s).toString(), u"SHARED"_s);
    typeInto(u"patient.dob"_s, u"1980-01-02"_s);
    js(u"document.querySelectorAll('.form-link')[0].click();"_s);
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"patient.dob\"]').value"_s).toString(), u"1980-01-02"_s);
    typeInto(u"visit.examDate"_s, u"2025-03-15"_s);
    QCOMPARE(js(u"Array.prototype.map.call(document.querySelectorAll('#formArea [name=\"visit.examDate\"]'), function (e) { return e.value; }).join()"_s).toString(),
             u"2025-03-15,2025-03-15"_s);
    QCOMPARE(js(u"document.getElementById('stripName').textContent"_s).toString(), u"SHARED"_s);
    QCOMPARE(js(u"document.getElementById('stripAge').textContent"_s).toString(), u"45"_s);
}

void TestPage::validationLinksFindingsToFields()
{
    js(u"fillTestData();"_s);
    QVariantMap result = js(u"validateRecord(false)"_s).toMap();
    QCOMPARE(result.value(u"errors"_s).toInt(), 0);
    QCOMPARE(js(u"document.getElementById('stripCert').textContent"_s).toString(), u"Ready"_s);

    typeInto(u"provider.nrNumber"_s, u"12345"_s);
    js(u"document.querySelectorAll('.form-link')[0].click();"_s);
    typeInto(u"visit.bpSys"_s, u"182"_s);
    result = js(u"validateRecord(true)"_s).toMap();
    QVERIFY(result.value(u"errors"_s).toInt() >= 1);
    QVERIFY(result.value(u"warnings"_s).toInt() >= 1);
    QVERIFY(!js(u"document.getElementById('validationPanel').hidden"_s).toBool());
    QTRY_VERIFY(js(u"document.getElementById('liveRegion').textContent"_s).toString().startsWith(u"Validation:"_s));
    QCOMPARE(js(u"document.getElementById('stripCert').textContent"_s).toString(), u"Not ready"_s);
    QCOMPARE(js(u"document.querySelector('#formArea [name=\"provider.nrNumber\"]').getAttribute('aria-invalid')"_s).toString(), u"true"_s);

    // A finding on the certificate's own field opens the certificate and focuses it.
    js(u"document.querySelectorAll('.form-link')[1].click();"_s);
    QVERIFY(js(u"document.querySelector('.cert-status .bad') !== null"_s).toBool());
    js(u"document.querySelectorAll('.form-link')[0].click();"_s);
    const QString clicked = js(u"(function () { var items = document.querySelectorAll('#validationList .finding-link');"
                                " for (var i = 0; i < items.length; ++i) if (items[i].textContent.indexOf('D11') >= 0) { items[i].click(); return 'clicked'; }"
                                " return 'none'; })()"_s).toString();
    QCOMPARE(clicked, u"clicked"_s);
    QCOMPARE(js(u"document.activeElement.name"_s).toString(), u"provider.nrNumber"_s);
    // Only the form scrolls to the field; the command bar and the patient strip stay in view.
    QCOMPARE(js(u"document.scrollingElement.scrollTop"_s).toInt(), 0);
    QVERIFY(js(u"document.getElementById('main').scrollTop"_s).toInt() > 0);
}

void TestPage::certificateNotReadyWithoutQualifyingDetermination()
{
    js(u"fillTestData();"_s);
    js(u"document.querySelectorAll('.form-link')[0].click();"_s);
    QVERIFY(js(u"(function () { var e = document.querySelector('#formArea [data-path=\"mcsa-5875.determination\"] input[value=\"notMeet\"]');"
               " if (!e) return false; e.click(); return true; })()"_s).toBool());
    QCOMPARE(js(u"validateRecord(false).findings.filter(function (f) { return f.severity === 'error'; })"
                ".map(function (f) { return f.rule + ' ' + f.field; }).join()"_s).toString(),
             u"D10 mcsa-5875.determination"_s);
    QCOMPARE(js(u"document.getElementById('stripCert').textContent"_s).toString(), u"Not ready"_s);

    js(u"document.querySelectorAll('.form-link')[1].click();"_s);
    QVERIFY(js(u"document.querySelector('.cert-status .bad') !== null"_s).toBool());
    QCOMPARE(js(u"preparePrintCurrent()"_s).toStringList(), QStringList{u"mcsa-5876"_s});
    QVERIFY(js(u"document.querySelector('#printRoot .p-not-ready').textContent"_s).toString().startsWith(u"NOT READY"_s));
}

void TestPage::printPreparation()
{
    js(u"fillTestData();"_s);
    js(u"document.querySelectorAll('.form-link')[1].click();"_s);
    QCOMPARE(js(u"preparePrintCurrent()"_s).toStringList(), QStringList{u"mcsa-5876"_s});
    QCOMPARE(js(u"Array.prototype.map.call(document.querySelectorAll('#printRoot .p-form'), function (e) { return e.dataset.form; }).join()"_s).toString(),
             u"mcsa-5876"_s);
    const QString footer = js(u"document.querySelector('#printRoot .p-footer').textContent"_s).toString();
    QVERIFY2(footer.contains(u"TEST, Patient"_s) && footer.contains(u"01/02/1980"_s), qPrintable(footer));
    QVERIFY(js(u"document.querySelector('#printRoot').textContent"_s).toString().contains(u"OMB No. 2126-0006"_s));

    const QStringList packet = {u"visit-face-sheet"_s, u"mcsa-5875"_s, u"mcsa-5876"_s};
    QCOMPARE(js(u"preparePrintPacket()"_s).toStringList(), packet);
    QCOMPARE(js(u"Array.prototype.map.call(document.querySelectorAll('#printRoot .p-form'), function (e) { return e.dataset.form; }).join()"_s).toString(),
             packet.join(u','));

    // A form taken out of the record leaves the packet.
    js(u"document.getElementById('include-mcsa-5876').click();"_s);
    QCOMPARE(js(u"preparePrintPacket()"_s).toStringList(), (QStringList{u"visit-face-sheet"_s, u"mcsa-5875"_s}));

    // The screen is never changed by preparing a print.
    QCOMPARE(js(u"getComputedStyle(document.getElementById('printRoot')).display"_s).toString(), u"none"_s);
    QVERIFY(js(u"getComputedStyle(document.getElementById('app')).display"_s).toString() != u"none"_s);
}

void TestPage::printedPages()
{
    static const QRegularExpression pageObject(u"/Type\\s*/Page[^s]"_s);
    js(u"fillTestData(); document.querySelectorAll('.form-link')[1].click(); preparePrintCurrent();"_s);
    const QString certificate = QString::fromLatin1(pdf());
    QCOMPARE(certificate.count(pageObject), 1);

    js(u"preparePrintPacket();"_s);
    const QString packet = QString::fromLatin1(pdf());
    const qsizetype pages = packet.count(pageObject);
    QVERIFY2(pages >= 5 && pages <= 12, qPrintable(QString::number(pages)));
}

void TestPage::recordWithEveryFormRoundTrips()
{
    js(u"fillTestData();"_s);
    includeEveryForm();
    const QString first = js(u"collectRecord()"_s).toString();
    const QJsonObject data = QJsonDocument::fromJson(first.toUtf8()).object();
    QCOMPARE(data.value(u"forms"_s).toArray().size(), js(u"Kestrova.forms.list().length"_s).toInt());
    // Shared values are held once, whatever number of forms shows them.
    QVERIFY(!data.value(u"formData"_s).toObject().contains(u"patient"_s));
    QCOMPARE(first.count(u"\"Sprain of ligaments"_s), 1);

    js(u"newRecord();"_s);
    QCOMPARE(bufferRoundTrip(u"loadRecord(document.getElementById('nativeBuffer').value);"_s, first), u"ok"_s);
    QCOMPARE(js(u"collectRecord()"_s).toString(), first);
    // Opening and showing every form changes nothing in the record.
    js(u"Array.prototype.forEach.call(document.querySelectorAll('.form-link'), function (b) { b.click(); });"_s);
    QCOMPARE(js(u"collectRecord()"_s).toString(), first);
}

void TestPage::everyFormPrintsOnLetter_data()
{
    // Pages a form may take on US Letter with the test data; one-page forms must stay one page.
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("maxPages");
    QTest::newRow("face sheet") << u"visit-face-sheet"_s << 2;
    QTest::newRow("work status") << u"work-status"_s << 1;
    QTest::newRow("CA-16 Part B") << u"ca-16"_s << 2;
    QTest::newRow("CA-17") << u"ca-17"_s << 2;
    QTest::newRow("CA-20") << u"ca-20"_s << 2;
    QTest::newRow("OSHA 301") << u"osha-301"_s << 1;
    QTest::newRow("MCSA-5875") << u"mcsa-5875"_s << 6;
    QTest::newRow("MCSA-5876") << u"mcsa-5876"_s << 1;
    QTest::newRow("respirator questionnaire") << u"respirator-questionnaire"_s << 4;
    QTest::newRow("PLHCP") << u"plhcp-recommendation"_s << 1;
    QTest::newRow("drug and alcohol") << u"drug-alcohol"_s << 1;
    QTest::newRow("pre-placement") << u"pre-placement"_s << 3;
    QTest::newRow("WH-380-E") << u"wh-380-e"_s << 3;
    QTest::newRow("WH-380-F") << u"wh-380-f"_s << 3;
}

void TestPage::everyFormPrintsOnLetter()
{
    QFETCH(QString, form);
    QFETCH(int, maxPages);
    static const QRegularExpression pageObject(u"/Type\\s*/Page[^s]"_s);
    js(u"fillTestData();"_s);
    includeEveryForm();
    QVERIFY(js(u"(function () { var b = document.getElementById('include-' + "_s + literal(form)
               + u"); if (!b) return false; b.nextElementSibling.nextElementSibling.click(); return true; })()"_s).toBool());
    QCOMPARE(js(u"preparePrintCurrent()"_s).toStringList(), QStringList{form});
    const QByteArray data = pdf();
    // KESTROVA_PRINT_DIR keeps the PDFs for a look by eye.
    const QString dir = qEnvironmentVariable("KESTROVA_PRINT_DIR");
    if (!dir.isEmpty()) {
        QFile out(dir + u'/' + form + u".pdf"_s);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(data);
    }
    const qsizetype pages = QString::fromLatin1(data).count(pageObject);
    QVERIFY2(pages >= 1 && pages <= maxPages, qPrintable(QString::number(pages)));
}

void TestPage::packetHoldsEveryIncludedForm()
{
    js(u"fillTestData();"_s);
    includeEveryForm();
    const QStringList order = js(u"Kestrova.forms.PACKET_ORDER.filter(function (id) { return Kestrova.forms.get(id); })"_s).toStringList();
    QCOMPARE(js(u"preparePrintPacket()"_s).toStringList(), order);
    QCOMPARE(js(u"Array.prototype.map.call(document.querySelectorAll('#printRoot .p-form'), function (e) { return e.dataset.form; }).join()"_s).toString(),
             order.join(u','));
    QVERIFY(order.indexOf(u"work-status"_s) == 1 && order.last() == u"wh-380-f"_s);

    // What is kept for the clinic does not print: the privacy flag, the 300 Log days,
    // and the diagnosis on the employer's copy of the work status note.
    js(u"document.getElementById('include-work-status').nextElementSibling.nextElementSibling.click(); preparePrintCurrent();"_s);
    const QString workStatus = js(u"document.getElementById('printRoot').textContent"_s).toString();
    QVERIFY(workStatus.contains(u"Test Occupational Health Clinic"_s));
    QVERIFY(workStatus.contains(u"Modified duty"_s));
    QVERIFY(!workStatus.contains(u"Sprain"_s) && !workStatus.contains(u"S33.5"_s));
    js(u"preparePrintPacket();"_s);
    const QString packet = js(u"document.getElementById('printRoot').textContent"_s).toString();
    QVERIFY(packet.contains(u"Sprain of ligaments"_s));
    QVERIFY(!packet.contains(u"Privacy case"_s));
    QVERIFY(!packet.contains(u"Log column"_s));
    QVERIFY(packet.contains(u"Return to the patient"_s));

    // Each form starts on a new sheet: the packet has as many pages as its forms
    // printed one by one.
    static const QRegularExpression pageObject(u"/Type\\s*/Page[^s]"_s);
    qsizetype separately = 0;
    for (const QString &form : order) {
        js(u"document.getElementById('include-' + "_s + literal(form) + u").nextElementSibling.nextElementSibling.click(); preparePrintCurrent();"_s);
        separately += QString::fromLatin1(pdf()).count(pageObject);
    }
    js(u"preparePrintPacket();"_s);
    const QByteArray data = pdf();
    QCOMPARE(QString::fromLatin1(data).count(pageObject), separately);
    const QString dir = qEnvironmentVariable("KESTROVA_PRINT_DIR");
    if (!dir.isEmpty()) {
        QFile out(dir + u"/packet.pdf"_s);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(data);
    }
}

void TestPage::workplaceFindingOpensItsForm()
{
    js(u"fillTestData();"_s);
    includeEveryForm();
    QCOMPARE(js(u"validateRecord(false).errors"_s).toInt(), 0);
    // A CA-17 that says "not able to do regular work" needs restrictions.
    js(u"document.getElementById('include-ca-17').nextElementSibling.nextElementSibling.click();"_s);
    typeInto(u"visit.resMHours"_s, u"9"_s);
    const QVariantMap result = js(u"validateRecord(true)"_s).toMap();
    QCOMPARE(result.value(u"errors"_s).toInt(), 1);
    js(u"document.getElementById('include-visit-face-sheet').nextElementSibling.nextElementSibling.click();"_s);
    const QString clicked = js(u"(function () { var items = document.querySelectorAll('#validationList .finding-link');"
                                " for (var i = 0; i < items.length; ++i) if (items[i].textContent.indexOf('W-3') >= 0) { items[i].click(); return items[i].textContent; }"
                                " return 'none'; })()"_s).toString();
    QVERIFY2(clicked.contains(u"Form CA-17"_s), qPrintable(clicked));
    QCOMPARE(js(u"document.activeElement.name"_s).toString(), u"visit.resMHours"_s);
    QCOMPARE(js(u"document.getElementById('formTitle').textContent"_s).toString(), u"Duty Status Report"_s);
}

void TestPage::commandButtonsNavigate()
{
    m_page->commands.clear();
    const QUrl before = m_page->url();
    const int count = js(u"(function () { var b = document.querySelectorAll('#commandBar button'); for (var i = 0; i < b.length; ++i) b[i].click(); return b.length; })()"_s).toInt();
    QCOMPARE(count, 14);
    const QStringList expected = {u"new"_s, u"open"_s, u"save"_s, u"save-as"_s, u"preview-current"_s, u"print-current"_s,
                                  u"preview-packet"_s, u"print-packet"_s, u"defaults-save"_s, u"defaults-apply"_s,
                                  u"validate"_s, u"fake"_s, u"about"_s, u"exit"_s};
    QTRY_COMPARE_WITH_TIMEOUT(m_page->commands.size(), expected.size(), 20000);
    QCOMPARE(QSet<QString>(m_page->commands.cbegin(), m_page->commands.cend()),
             QSet<QString>(expected.cbegin(), expected.cend()));
    QCOMPARE(m_page->url(), before);
    QCOMPARE(js(u"typeof collectRecord"_s).toString(), u"function"_s);
}

void TestPage::everyControlHasALabel()
{
    js(u"fillTestData();"_s);
    const int forms = js(u"document.querySelectorAll('.form-link').length"_s).toInt();
    QVERIFY(forms >= 3);
    for (int form = 0; form < forms; ++form) {
        js(u"document.querySelectorAll('.form-link')["_s + QString::number(form) + u"].click();"_s);
        const QString unlabelled = js(u"Array.prototype.filter.call(document.querySelectorAll('input, select, textarea, button'), function (e) {"
                                       " if (e.id === 'nativeBuffer') return false;"
                                       " if (e.localName === 'button') return !e.textContent.trim();"
                                       " if (e.labels && e.labels.length && e.labels[0].textContent.trim()) return false;"
                                       " if (e.type === 'radio') return !e.closest('fieldset, [role=radiogroup]');"
                                       " return !e.getAttribute('aria-label') && !e.getAttribute('aria-labelledby');"
                                       " }).map(function (e) { return e.name || e.id; }).join()"_s).toString();
        QVERIFY2(unlabelled.isEmpty(), qPrintable(unlabelled));
    }
}

void TestPage::toastShowsMessage()
{
    js(u"document.getElementById('nativeBuffer').value=collectRecord(); showToast('Occupational record saved.');"_s);
    QCOMPARE(js(u"document.getElementById('toast').textContent"_s).toString(), u"Occupational record saved."_s);
    QCOMPARE(js(u"document.getElementById('toast').getAttribute('aria-live')"_s).toString(), u"polite"_s);
    QCOMPARE(js(u"document.getElementById('stripState').textContent"_s).toString(), u"Saved"_s);
}

QTEST_MAIN(TestPage)
#include "tst_page.moc"
