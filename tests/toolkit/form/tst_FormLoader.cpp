// Form descriptions: their syntax with positions, validation before anything
// is built, and application in text order.

#include "TestMain.h"

#include "toolkit/app/TNotifyEvent.h"
#include "toolkit/controls/StandardControls.h"
#include "toolkit/controls/TImage.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/form/Components.h"
#include "toolkit/form/FormError.h"
#include "toolkit/form/FormLexer.h"
#include "toolkit/form/FormLoader.h"
#include "toolkit/graphics/TColor.h"
#include "toolkit/layout/Anchors.h"

#include <QTemporaryDir>

namespace {

QStringList& setterLog()
{
    static QStringList log;
    return log;
}

void logSet(const QObject* object, const char* property, const QString& value)
{
    setterLog().append(QStringLiteral("%1.%2=%3").arg(object->objectName(), QLatin1String(property), value));
}

}

// A control whose setters record every call, so tests see what was applied
// and in which order.
class TLogControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Number READ number WRITE setNumber)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(bool Flag READ flag WRITE setFlag)
    Q_PROPERTY(TLogKind Kind READ kind WRITE setKind)
    Q_PROPERTY(TLogOptions Options READ options WRITE setOptions)
    Q_PROPERTY(QStringList Lines READ lines WRITE setLines)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TNotifyEvent OnPing READ onPing WRITE setOnPing)
    Q_PROPERTY(TLogControl* Partner READ partner WRITE setPartner)
    Q_PROPERTY(QWidget* Buddy READ buddy WRITE setBuddy)
    Q_PROPERTY(int Top READ top WRITE setTop)
    Q_PROPERTY(double Ratio READ ratio WRITE setRatio)
    Q_PROPERTY(int Fixed READ fixed)

public:
    enum TLogKind : quint8 { lkPlain,
        lkFancy,
        lkLoud };
    Q_ENUM(TLogKind)
    enum TLogOption { loBold = 1,
        loItalic = 2,
        loBoxed = 4 };
    Q_DECLARE_FLAGS(TLogOptions, TLogOption)
    Q_FLAG(TLogOptions)

    explicit TLogControl(QWidget* parent = nullptr)
        : QWidget(parent)
    {
    }

    int number() const { return m_number; }
    void setNumber(int n)
    {
        if (n == 13)
            throw tk::Error(QStringLiteral("13 is unlucky"));
        m_number = n;
        logSet(this, "Number", QString::number(n));
    }
    QString text() const { return m_text; }
    void setText(const QString& s) { logSet(this, "Text", m_text = s); }
    bool flag() const { return m_flag; }
    void setFlag(bool b) { logSet(this, "Flag", (m_flag = b) ? QStringLiteral("true") : QStringLiteral("false")); }
    TLogKind kind() const { return m_kind; }
    void setKind(TLogKind k) { logSet(this, "Kind", QString::number(m_kind = k)); }
    TLogOptions options() const { return m_options; }
    void setOptions(TLogOptions o) { logSet(this, "Options", QString::number((m_options = o).toInt())); }
    QStringList lines() const { return m_lines; }
    void setLines(const QStringList& l) { logSet(this, "Lines", (m_lines = l).join(u'|')); }
    TColor color() const { return m_color; }
    void setColor(TColor c) { logSet(this, "Color", (m_color = c).name()); }
    TNotifyEvent onPing() const { return m_onPing; }
    void setOnPing(const TNotifyEvent& e) { logSet(this, "OnPing", QString::fromLatin1((m_onPing = e).methodName())); }
    TLogControl* partner() const { return m_partner; }
    void setPartner(TLogControl* p) { logSet(this, "Partner", (m_partner = p)->objectName()); }
    QWidget* buddy() const { return m_buddy; }
    void setBuddy(QWidget* w) { logSet(this, "Buddy", (m_buddy = w)->objectName()); }
    int top() const { return m_top; }
    void setTop(int t) { logSet(this, "Top", QString::number(m_top = t)); }
    double ratio() const { return 0; }
    void setRatio(double) {}
    int fixed() const { return 0; }

private:
    int m_number = 0;
    QString m_text;
    bool m_flag = false;
    TLogKind m_kind = lkPlain;
    TLogOptions m_options;
    QStringList m_lines;
    TColor m_color;
    TNotifyEvent m_onPing;
    TLogControl* m_partner = nullptr;
    QWidget* m_buddy = nullptr;
    int m_top = 0;
};

// A component that is no widget: the widget-only properties do not apply.
class TLogItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Number READ number WRITE setNumber)

public:
    explicit TLogItem(QObject* parent = nullptr)
        : QObject(parent)
    {
    }
    int number() const { return m_number; }
    void setNumber(int n)
    {
        m_number = n;
        logSet(this, "Number", QString::number(n));
    }

private:
    int m_number = 0;
};

class TTestForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Number READ number WRITE setNumber)

public:
    int number() const { return m_number; }
    void setNumber(int n)
    {
        m_number = n;
        logSet(this, "Number", QString::number(n));
    }

    QList<QObject*> pings;

public slots:
    void PingClick(QObject* Sender) { pings.append(Sender); }

private:
    int m_number = 0;
};

class tst_FormLoader : public QObject {
    Q_OBJECT

    static QString form(const QString& body)
    {
        return QStringLiteral("@TTestForm Form {\n") + body + QStringLiteral("\n}\n");
    }

    // The form and depth - 1 controls, each inside the one before, one to a line.
    static QString nested(int depth)
    {
        QString text = QStringLiteral("@TTestForm Form {\n");
        for (int i = 2; i <= depth; ++i)
            text += QStringLiteral("@TLogControl A%1 {\n").arg(i);
        return text + QString(depth, u'}');
    }

    static void load(QObject* root, const QString& text)
    {
        tk::loadForm(root, text, QStringLiteral("test.form"));
    }

    template <class T>
    static T* find(QObject* root, const char* name)
    {
        return qobject_cast<T*>(tk::findComponent(root, QLatin1String(name)));
    }

private slots:
    void initTestCase()
    {
        tk::registerStandardClasses();
        tk::registerClass(&TLogControl::staticMetaObject, [](QObject*, QObject* parent) -> QObject* {
            setterLog().append(QStringLiteral("create"));
            return new TLogControl(qobject_cast<QWidget*>(parent));
        });
        tk::registerClass<TLogItem>();
    }

    void init() { setterLog().clear(); }

    // --- syntax

    void tokensCarryTheirPositions()
    {
        using K = tk::FormLexer::Kind;
        tk::FormLexer lexer(QString::fromUtf8("@A b{\n\tX: \"±\" Y:-7 # note\n  Z: #00ff80 [q,]"), QStringLiteral("t"));
        const QList<std::tuple<K, QString, int, int>> expected {
            { K::At, "@", 1, 1 },
            { K::Identifier, "A", 1, 2 },
            { K::Identifier, "b", 1, 4 },
            { K::LeftBrace, "{", 1, 5 },
            { K::Identifier, "X", 2, 2 },
            { K::Colon, ":", 2, 3 },
            { K::String, QString::fromUtf8("±"), 2, 5 },
            { K::Identifier, "Y", 2, 9 },
            { K::Colon, ":", 2, 10 },
            { K::Integer, "-7", 2, 11 },
            { K::Identifier, "Z", 3, 3 },
            { K::Colon, ":", 3, 4 },
            { K::Color, "#00FF80", 3, 6 },
            { K::LeftBracket, "[", 3, 14 },
            { K::Identifier, "q", 3, 15 },
            { K::Comma, ",", 3, 16 },
            { K::RightBracket, "]", 3, 17 },
            { K::End, "", 3, 18 },
        };
        for (const auto& [kind, text, line, column] : expected) {
            const tk::FormLexer::Token token = lexer.next();
            QCOMPARE(token.kind, kind);
            QCOMPARE(token.text, text);
            QCOMPARE(token.line, line);
            QCOMPARE(token.column, column);
        }
    }

    // --- application

    void appliesEverythingInTextOrder()
    {
        TTestForm root;
        load(&root, form(R"(
    Number: 1
    @TLogControl A {
        Text: "a"
        @TLogControl B { Number: 2 }
        Flag: true
    }
    Number: 3
    @TLogControl C { Partner: A  Number: 4 }
    Number: 5)"));
        const QStringList expected { "Form.Number=1", "create", "A.Text=a", "create", "B.Number=2", "A.Flag=true",
            "Form.Number=3", "create", "C.Number=4", "Form.Number=5", "C.Partner=A" };
        QCOMPARE(setterLog(), expected);

        auto* a = find<TLogControl>(&root, "A");
        auto* b = find<TLogControl>(&root, "B");
        QVERIFY(a && b);
        QCOMPARE(b->parentWidget(), a);
        QCOMPARE(a->parentWidget(), &root);
        QCOMPARE(tk::ownerOf(b), &root);
        QCOMPARE(tk::components(&root).size(), 3);
        QCOMPARE(root.objectName(), QStringLiteral("Form"));
    }

    void valuesReachTheirProperties_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("negative integer") << "Number: -2147483648"
                                          << "Number" << QVariant(int(-2147483648LL));
        QTest::newRow("blanks kept") << R"(Text: "  two blanks  ")"
                                     << "Text" << QVariant("  two blanks  ");
        QTest::newRow("literal UTF-8") << QString::fromUtf8(R"(Text: "±5 V")") << "Text" << QVariant(QString::fromUtf8("±5 V"));
        // Spelled without a raw string: moc misreads backslashes inside one.
        QTest::newRow("escapes") << "Text: \"a\\\"b\\\\c\\n\\t\\u00B1\""
                                 << "Text" << QVariant(QString::fromUtf8("a\"b\\c\n\t±"));
        QTest::newRow("hash inside a string") << R"(Text: "# not a comment")"
                                              << "Text" << QVariant("# not a comment");
        QTest::newRow("empty string") << R"(Text: "")"
                                      << "Text" << QVariant(QString(""));
        QTest::newRow("boolean") << "Flag: true"
                                 << "Flag" << QVariant(true);
        QTest::newRow("one-byte enumeration") << "Kind: lkLoud"
                                              << "Kind" << QVariant(2);
        QTest::newRow("set") << "Options: [loBold, loBoxed]"
                             << "Options" << QVariant(5);
        QTest::newRow("empty set") << "Options: []"
                                   << "Options" << QVariant(0);
        QTest::newRow("set with trailing comma") << "Options: [loItalic,]"
                                                 << "Options" << QVariant(2);
        QTest::newRow("string list over lines")
            << "Lines: [\"first\",\n        \"  second, with blanks  \",\n        \"\"]"
            << "Lines"
            << QVariant(QStringList { "first", "  second, with blanks  ", "" });
        QTest::newRow("empty string list") << "Lines: [ ]"
                                           << "Lines" << QVariant(QStringList());
        QTest::newRow("colour by value") << "Color: #ff8000"
                                         << "Color" << QVariant::fromValue(TColor::rgb(255, 128, 0));
        QTest::newRow("colour by name") << "Color: clBtnFace"
                                        << "Color" << QVariant::fromValue(clBtnFace);
    }

    void valuesReachTheirProperties()
    {
        QFETCH(QString, assignment);
        QFETCH(QString, property);
        QFETCH(QVariant, expected);
        TTestForm root;
        load(&root, form(QStringLiteral("@TLogControl A {\n    ") + assignment + QStringLiteral("\n}")));
        const QVariant actual = find<TLogControl>(&root, "A")->property(property.toLatin1().constData());
        if (expected.typeId() == QMetaType::Int)
            QCOMPARE(actual.toInt(), expected.toInt());
        else
            QCOMPARE(actual, expected);
    }

    void commentsAndLayoutAreFree()
    {
        TTestForm root;
        load(&root, QStringLiteral("# heading\n@TTestForm Form{@TLogControl A{Number:1 Text:\"x\" # why\n"
                                   "Color: #000080 # a trailing comment\n\tFlag:false}}"));
        const QStringList expected { "create", "A.Number=1", "A.Text=x", "A.Color=#000080", "A.Flag=false" };
        QCOMPARE(setterLog(), expected);
    }

    void commonPropertiesOfWidgets()
    {
        TTestForm root;
        root.resize(400, 300);
        load(&root, form(R"(
    @TLogControl A {
        Left: 10  Top: 20
        Width: 70
        Height: 30
        Left: 15
        Anchors: [akLeft, akRight]
        Hint: "tip"
        Enabled: false
        TabStop: true
        Font.Name: "Courier"
        Font.Height: -11
    }
    @TLogControl B { Visible: false  Left: 5 }
    @TLogControl C { TabStop: false })"));
        auto* a = find<TLogControl>(&root, "A");
        // The class's own Top wins over the common one.
        QCOMPARE(a->geometry(), QRect(15, 0, 70, 30));
        QCOMPARE(a->top(), 20);
        QCOMPARE(tk::anchors(a), tk::TAnchors(tk::akLeft | tk::akRight));
        QCOMPARE(a->toolTip(), QStringLiteral("tip"));
        QVERIFY(!a->isEnabled());
        QCOMPARE(a->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(a->font().family(), QStringLiteral("Courier"));
        QCOMPARE(a->font().pixelSize(), 11);
        auto* b = find<TLogControl>(&root, "B");
        QVERIFY(b->isHidden());
        QCOMPARE(b->x(), 5);
        QCOMPARE(find<TLogControl>(&root, "C")->focusPolicy(), Qt::NoFocus);

        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        QVERIFY(a->isVisible());
        QVERIFY(!b->isVisible());
    }

    void tabOrderFollowsTheNumbers()
    {
        TTestForm root;
        load(&root, form(R"(
    @TLogControl First { TabStop: true TabOrder: 0 }
    @TLogControl Third { TabStop: true TabOrder: 2 }
    @TLogControl Skipped { TabStop: false }
    @TLogControl Second { TabStop: true TabOrder: 1 })"));
        // Where Tab goes: the next widget in the chain that takes focus by
        // Tab. Qt keeps the chain a cycle, so only the sequence counts.
        const auto nextTabStop = [](QWidget* widget) {
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus));
            return widget;
        };
        auto* first = find<QWidget>(&root, "First");
        auto* second = find<QWidget>(&root, "Second");
        auto* third = find<QWidget>(&root, "Third");
        QCOMPARE(nextTabStop(first), second);
        QCOMPARE(nextTabStop(second), third);
        QCOMPARE(nextTabStop(third), first);
    }

    void referencesResolveAfterEverythingExists()
    {
        TTestForm root;
        load(&root, form(R"(
    @TLogControl A { Partner: Later  Buddy: Form  Number: 1 }
    @TLogControl Later { Partner: Later })"));
        auto* a = find<TLogControl>(&root, "A");
        auto* later = find<TLogControl>(&root, "Later");
        QCOMPARE(a->partner(), later);
        QCOMPARE(a->buddy(), &root);
        QCOMPARE(later->partner(), later);
        const QStringList expected { "create", "A.Number=1", "create", "A.Partner=Later", "A.Buddy=Form", "Later.Partner=Later" };
        QCOMPARE(setterLog(), expected);
    }

    void handlersBindToTheRoot()
    {
        TTestForm root;
        load(&root, form("@TLogControl A { OnPing: PingClick }"));
        auto* a = find<TLogControl>(&root, "A");
        QCOMPARE(a->onPing().object(), &root);
        a->onPing()(a);
        QCOMPARE(root.pings, QList<QObject*> { a });
    }

    void objectsNestUpToTheLimit()
    {
        TTestForm root;
        load(&root, nested(100));
        QWidget* deepest = find<QWidget>(&root, "A100");
        QVERIFY(deepest);
        int depth = 1;
        for (QWidget* w = deepest; w != &root; w = w->parentWidget())
            ++depth;
        QCOMPARE(depth, 100);
    }

    void imagesLoadRelativeToTheDescription()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("images")));
        QImage image(7, 5, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir.filePath(QStringLiteral("images/red.bmp")), "BMP"));

        TTestForm root;
        const QString images = QStringLiteral(R"(
    @TImage Kept { Width: 40 Height: 30 AutoSize: false Picture: image("images/red.bmp") }
    @TImage Fitted { Width: 40 Height: 30 AutoSize: true Picture: image("%1") }
    @TImage Late { Width: 40 Height: 30 Picture: image("images/../images/red.bmp") AutoSize: true })");
        tk::loadForm(&root, form(images.arg(dir.filePath(QStringLiteral("images/red.bmp")))), dir.filePath(QStringLiteral("Test.form")));
        auto* kept = find<TImage>(&root, "Kept");
        QCOMPARE(kept->size(), QSize(40, 30));
        QCOMPARE(kept->picture()->width(), 7);
        QCOMPARE(find<TImage>(&root, "Fitted")->size(), QSize(7, 5));
        QCOMPARE(find<TImage>(&root, "Late")->size(), QSize(7, 5));
    }

    // --- faults

    void faultsNameTheirPositionAndBuildNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");

        QTest::newRow("unknown class") << form("  @TNoSuchThing X { }") << 2 << 4;
        QTest::newRow("unknown property") << form("  @TLogControl A {\n    Nope: 1 }") << 3 << 5;
        QTest::newRow("bad enum key") << form("  @TLogControl A { Kind: lkQuiet }") << 2 << 26;
        QTest::newRow("bad set key") << form("  @TLogControl A { Options: [loBold, loNope] }") << 2 << 38;
        QTest::newRow("bad handler") << form("  @TLogControl A { OnPing: NoSuchClick }") << 2 << 28;
        QTest::newRow("unknown reference") << form("  @TLogControl A { Partner: Ghost }") << 2 << 29;
        QTest::newRow("wrong-class reference") << form("  @TLogItem I { }\n  @TLogControl A { Partner: I }") << 3 << 29;
        QTest::newRow("root is no partner") << form("  @TLogControl A { Partner: Form }") << 2 << 29;
        QTest::newRow("duplicate name") << form("  @TLogControl A { }\n  @TLogControl A { }") << 3 << 16;
        QTest::newRow("duplicate of the root") << form("  @TLogControl Form { }") << 2 << 16;
        QTest::newRow("unterminated string") << form("  @TLogControl A { Text: \"abc }\n}") << 2 << 26;
        QTest::newRow("unknown escape") << form("  @TLogControl A { Text: \"a\\qb\" }") << 2 << 28;
        QTest::newRow("missing brace") << QStringLiteral("@TTestForm Form {\n  @TLogControl A {\n    Number: 1\n}\n") << 5 << 1;
        QTest::newRow("string for integer") << form("  @TLogControl A { Number: \"5\" }") << 2 << 28;
        QTest::newRow("integer for string") << form("  @TLogControl A { Text: 5 }") << 2 << 26;
        QTest::newRow("integer for boolean") << form("  @TLogControl A { Flag: 1 }") << 2 << 26;
        QTest::newRow("identifiers for strings") << form("  @TLogControl A { Lines: [a, b] }") << 2 << 28;
        QTest::newRow("single key for a set") << form("  @TLogControl A { Options: loBold }") << 2 << 29;
        QTest::newRow("mixed list") << form("  @TLogControl A { Lines: [\"a\", b] }") << 2 << 33;
        QTest::newRow("stray character") << form("  @TLogControl A { Number: 5; }") << 2 << 29;
        QTest::newRow("missing colon") << form("  @TLogControl A {\n    Number 5 }") << 3 << 12;
        QTest::newRow("missing value") << form("  @TLogControl A { Number: }") << 2 << 28;
        QTest::newRow("values run together") << form("  @TLogControl A { Text: \"x\"Number: 5 }") << 2 << 29;
        QTest::newRow("malformed number") << form("  @TLogControl A { Number: 5x }") << 2 << 28;
        QTest::newRow("integer out of range") << form("  @TLogControl A { Number: 2147483648 }") << 2 << 28;
        QTest::newRow("malformed colour") << form("  @TLogControl A { Color: #12345 }") << 2 << 27;
        QTest::newRow("unknown colour") << form("  @TLogControl A { Color: clPuce }") << 2 << 27;
        QTest::newRow("unsupported type") << form("  @TLogControl A { Ratio: 1 }") << 2 << 20;
        QTest::newRow("read-only property") << form("  @TLogControl A { Fixed: 1 }") << 2 << 20;
        QTest::newRow("widget property of a non-widget") << form("  @TLogItem I { Left: 1 }") << 2 << 17;
        QTest::newRow("unknown dotted name") << form("  @TLogControl A { Font.Size: 8 }") << 2 << 20;
        QTest::newRow("negative width") << form("  @TLogControl A { Width: -1 }") << 2 << 27;
        QTest::newRow("width past every widget") << form("  @TLogControl A { Width: 2147483647 }") << 2 << 27;
        QTest::newRow("height past every widget") << form("  @TLogControl A { Height: 16777216 }") << 2 << 28;
        QTest::newRow("left past every screen") << form("  @TLogControl A { Left: 2147483647 }") << 2 << 26;
        QTest::newRow("a class's own Top keeps the range") << form("  @TLogControl A { Top: -2147483648 }") << 2 << 25;
        QTest::newRow("Font.Height of the smallest integer") << form("  @TLogControl A { Font.Height: -2147483648 }") << 2 << 33;
        QTest::newRow("Font.Height past any type") << form("  @TLogControl A { Font.Height: 2185 }") << 2 << 33;
        QTest::newRow("Font.Height 0") << form("  @TLogControl A { Font.Height: 0 }") << 2 << 33;
        QTest::newRow("digits past every integer") << form("  @TLogControl A { Number: 99999999999999999999999999 }") << 2 << 28;
        QTest::newRow("negative digits past every integer") << form("  @TLogControl A { Number: -99999999999999999999999999 }") << 2 << 28;
        // The form is the first of at most 100 nested objects.
        QTest::newRow("objects nested one too deep") << nested(101) << 101 << 1;
        QTest::newRow("20000 nested objects") << nested(20000) << 101 << 1;
        QTest::newRow("missing picture") << form("  @TImage P { Picture: image(\"none.bmp\") }") << 2 << 24;
        QTest::newRow("root class differs") << QStringLiteral("@TMainForm Form { }") << 1 << 2;
        QTest::newRow("text after the form") << QStringLiteral("@TTestForm Form { }\n}") << 2 << 1;
        QTest::newRow("empty description") << QStringLiteral("  # nothing\n") << 2 << 1;
        QTest::newRow("fault after valid objects") << form("  Number: 1\n  @TLogControl A { @TLogControl B { } }\n  @TLogControl C { Number: \"x\" }") << 4 << 28;
    }

    void faultsNameTheirPositionAndBuildNothing()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, column);
        TTestForm root;
        const QObjectList childrenBefore = root.children();
        try {
            load(&root, text);
            QFAIL("the description was accepted");
        } catch (const tk::FormError& e) {
            QCOMPARE(e.line(), line);
            QCOMPARE(e.column(), column);
            QVERIFY2(e.message().startsWith(QStringLiteral("test.form:%1:%2: ").arg(line).arg(column)), qPrintable(e.message()));
        }
        QCOMPARE(root.children(), childrenBefore);
        QVERIFY(tk::components(&root).isEmpty());
        QCOMPARE(setterLog(), QStringList());
    }

    void setterFaultsCarryThePropertyPosition()
    {
        TTestForm root;
        try {
            load(&root, form("  @TLogControl A {\n    Number: 13 }"));
            QFAIL("the setter's fault was swallowed");
        } catch (const tk::FormError& e) {
            QCOMPARE(e.line(), 3);
            QCOMPARE(e.column(), 5);
            QCOMPARE(e.description(), QStringLiteral("13 is unlucky"));
        }
    }

    void existingComponentNamesAreTaken()
    {
        TTestForm root;
        auto* a = new TLogControl(&root);
        a->setObjectName(QStringLiteral("A"));
        tk::setOwner(a, &root);
        load(&root, form("  @TLogControl B { Partner: A }"));
        QCOMPARE(find<TLogControl>(&root, "B")->partner(), a);
        QVERIFY_THROWS_EXCEPTION(tk::FormError, load(&root, form("  @TLogControl A { }")));
    }

    void missingResourceIsAnError()
    {
        TTestForm root;
        try {
            tk::loadFormResource(&root, QStringLiteral(":/nowhere/Missing.form"));
            QFAIL("a missing resource was accepted");
        } catch (const tk::Error& e) {
            QVERIFY(e.message().contains(QStringLiteral(":/nowhere/Missing.form")));
        }
    }
};

SETUP_TEST_MAIN(tst_FormLoader)
#include "tst_FormLoader.moc"
