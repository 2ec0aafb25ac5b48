#include "toolkit/form/FormLoader.h"

#include "toolkit/app/ErrorReport.h"
#include "toolkit/app/TNotifyEvent.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/form/Components.h"
#include "toolkit/form/FormError.h"
#include "toolkit/form/FormParser.h"
#include "toolkit/graphics/TColor.h"
#include "toolkit/graphics/TPicture.h"
#include "toolkit/layout/Anchors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSet>
#include <QStringDecoder>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>
#include <variant>

namespace tk {
namespace {

    using Node = FormParser::Object;
    using PropertyNode = FormParser::Property;
    using Value = FormParser::Value;

    // What a property takes, as its type decides.
    enum class Expect { Integer,
        Boolean,
        String,
        StringList,
        Enum,
        Flags,
        Color,
        Handler,
        Reference,
        Picture };

    struct TabStep {
        QWidget* widget;
        int order;
    };

    // What applying the common properties gathers for after the build.
    struct Building {
        std::vector<TabStep> tabOrder;
    };

    // Qt's own bound on a widget's width and height; geometry within it keeps
    // every sum of a position and a size inside an int.
    constexpr int LargestExtent = QWIDGETSIZE_MAX;
    // As large as a word processor sets type: 1638 points at 96 pixels per inch.
    constexpr int LargestFontHeight = 2184;

    // The values a number may take.
    struct Range {
        int least = std::numeric_limits<int>::min();
        int most = std::numeric_limits<int>::max();
        bool zeroAllowed = true;
    };

    constexpr Range Coordinate { -LargestExtent, LargestExtent };
    constexpr Range Extent { 0, LargestExtent };
    constexpr Range FontHeight { -LargestFontHeight, LargestFontHeight, false };

    // A property every control takes under the name the description uses,
    // though Qt's widgets call it otherwise: what it takes, what setting it
    // does, the range a number must lie in, and the enumeration whose keys a
    // set names. Adding one is adding a row.
    struct CommonProperty {
        const char* name;
        Expect expect;
        void (*apply)(Building& building, QWidget* widget, const QVariant& value);
        Range range = {};
        QMetaEnum (*enumerator)() = nullptr;
    };

    QMetaEnum anchorsEnum()
    {
        const QMetaObject& mo = tk::staticMetaObject;
        return mo.enumerator(mo.indexOfEnumerator("TAnchors"));
    }

    void setFontFamily(QWidget* widget, const QString& family)
    {
        QFont font = widget->font();
        font.setFamily(family);
        widget->setFont(font);
    }

    // The description gives the character height in pixels as the Windows
    // toolkit did (negative meaning without internal leading); Qt's pixel
    // size is the nearest match either way.
    void setFontHeight(QWidget* widget, int height)
    {
        QFont font = widget->font();
        font.setPixelSize(std::abs(height));
        widget->setFont(font);
    }

    const CommonProperty CommonProperties[] = {
        { "Left", Expect::Integer, [](Building&, QWidget* w, const QVariant& v) { w->move(v.toInt(), w->y()); }, Coordinate },
        { "Top", Expect::Integer, [](Building&, QWidget* w, const QVariant& v) { w->move(w->x(), v.toInt()); }, Coordinate },
        { "Width", Expect::Integer, [](Building&, QWidget* w, const QVariant& v) { w->resize(v.toInt(), w->height()); }, Extent },
        { "Height", Expect::Integer, [](Building&, QWidget* w, const QVariant& v) { w->resize(w->width(), v.toInt()); }, Extent },
        { "Visible", Expect::Boolean, [](Building&, QWidget* w, const QVariant& v) { w->setVisible(v.toBool()); } },
        { "Enabled", Expect::Boolean, [](Building&, QWidget* w, const QVariant& v) { w->setEnabled(v.toBool()); } },
        { "Anchors", Expect::Flags, [](Building&, QWidget* w, const QVariant& v) { setAnchors(w, TAnchors::fromInt(v.toInt())); }, {}, anchorsEnum },
        { "TabOrder", Expect::Integer, [](Building& b, QWidget* w, const QVariant& v) { b.tabOrder.push_back({ w, v.toInt() }); } },
        { "TabStop", Expect::Boolean, [](Building&, QWidget* w, const QVariant& v) { w->setFocusPolicy(v.toBool() ? Qt::StrongFocus : Qt::NoFocus); } },
        { "Hint", Expect::String, [](Building&, QWidget* w, const QVariant& v) { w->setToolTip(v.toString()); } },
        { "Font.Name", Expect::String, [](Building&, QWidget* w, const QVariant& v) { setFontFamily(w, v.toString()); } },
        { "Font.Height", Expect::Integer, [](Building&, QWidget* w, const QVariant& v) { setFontHeight(w, v.toInt()); }, FontHeight },
    };

    const CommonProperty* findCommon(const QString& name)
    {
        for (const CommonProperty& p : CommonProperties)
            if (name == QLatin1String(p.name))
                return &p;
        return nullptr;
    }

    struct PropertyPlan {
        const PropertyNode* node = nullptr;
        // The row that applies a common property; none for a class's own.
        const CommonProperty* common = nullptr;
        QMetaProperty property;
        Expect expect = Expect::Integer;
        QMetaEnum enumerator;
        // Ready to write: what the setter or the row's effect takes.
        QVariant value;
        const QMetaObject* referenceClass = nullptr;
        std::shared_ptr<TPicture> picture;
    };

    struct ObjectPlan;
    using MemberPlan = std::variant<PropertyPlan, ObjectPlan>;

    struct ObjectPlan {
        const Node* node = nullptr;
        const RegisteredClass* registered = nullptr; // none for the root
        std::vector<MemberPlan> members; // in text order
    };

    QString kindName(Value::Kind kind)
    {
        switch (kind) {
        case Value::Kind::Integer:
            return QStringLiteral("an integer");
        case Value::Kind::Boolean:
            return QStringLiteral("true or false");
        case Value::Kind::String:
            return QStringLiteral("a string");
        case Value::Kind::Identifier:
            return QStringLiteral("an identifier");
        case Value::Kind::Color:
            return QStringLiteral("a colour");
        case Value::Kind::List:
            return QStringLiteral("a list");
        case Value::Kind::Image:
            return QStringLiteral("an image");
        }
        return QString();
    }

    // An enumeration's storage is as wide as its underlying type (some are a
    // single byte), so the value is built in the property's own type.
    QVariant integerAs(QMetaType type, int value)
    {
        switch (type.sizeOf()) {
        case 1: {
            const qint8 v = qint8(value);
            return QVariant(type, &v);
        }
        case 2: {
            const qint16 v = qint16(value);
            return QVariant(type, &v);
        }
        case 4:
            return QVariant(type, &value);
        case 8: {
            const qint64 v = value;
            return QVariant(type, &v);
        }
        default:
            return QVariant(value);
        }
    }

    constexpr unsigned kinds(std::initializer_list<Value::Kind> list)
    {
        unsigned mask = 0;
        for (Value::Kind kind : list)
            mask |= 1u << unsigned(kind);
        return mask;
    }

    class Loader {
    public:
        Loader(QObject* root, const QString& sourcePath)
            : m_root(root)
            , m_source(sourcePath)
            , m_directory(QFileInfo(sourcePath).path())
        {
        }

        void load(const QString& text)
        {
            const Node tree = FormParser(text, m_source).parse();
            const ObjectPlan plan = validate(tree);
            m_root->setObjectName(tree.name);
            applyMembers(plan, m_root);
            resolveReferences();
            applyTabOrder();
        }

    private:
        struct PendingReference {
            const PropertyPlan* plan;
            QObject* target;
        };

        // What a property of each kind takes: how a message names it, the
        // kinds of value the text may give, and how that value is read.
        struct ValueKind {
            Expect expect;
            const char* described;
            unsigned accepted;
            QVariant (Loader::*read)(PropertyPlan& plan, const Value& value) const;
        };

        static const ValueKind& valueKind(Expect expect)
        {
            using K = Value::Kind;
            static const ValueKind rows[] = {
                { Expect::Integer, "an integer", kinds({ K::Integer }), &Loader::readInteger },
                { Expect::Boolean, "true or false", kinds({ K::Boolean }), &Loader::readBoolean },
                { Expect::String, "a string", kinds({ K::String }), &Loader::readString },
                { Expect::StringList, "a list of strings", kinds({ K::List }), &Loader::readStringList },
                { Expect::Enum, "an enumeration value", kinds({ K::Identifier }), &Loader::readEnum },
                { Expect::Flags, "a set [...] of identifiers", kinds({ K::List }), &Loader::readFlags },
                { Expect::Color, "a colour", kinds({ K::Color, K::Identifier }), &Loader::readColor },
                { Expect::Handler, "a handler name", kinds({ K::Identifier }), &Loader::readHandler },
                { Expect::Reference, "a component name", kinds({ K::Identifier }), &Loader::readReference },
                { Expect::Picture, "image(\"path\")", kinds({ K::Image }), &Loader::readPicture },
            };
            return *std::find_if(std::begin(rows), std::end(rows), [expect](const ValueKind& row) { return row.expect == expect; });
        }

        [[noreturn]] void fail(int line, int column, const QString& what) const
        {
            throw FormError(m_source, line, column, what);
        }

        // Runs a step that calls into the components; whatever it throws is
        // reported at the position of the text that caused it.
        template <class F>
        void at(int line, int column, F&& step) const
        {
            try {
                std::forward<F>(step)();
            } catch (const FormError&) {
                throw;
            } catch (const std::exception& e) {
                fail(line, column, exceptionText(e));
            }
        }

        // --- validation: nothing is created or changed here

        ObjectPlan validate(const Node& tree)
        {
            const QMetaObject* rootClass = m_root->metaObject();
            if (tree.className != QLatin1String(rootClass->className()))
                fail(tree.classLine, tree.classColumn,
                    QStringLiteral("the description is for a %1, but the form is a %2")
                        .arg(tree.className, QLatin1String(rootClass->className())));
            m_rootName = tree.name;
            for (QObject* existing : components(m_root)) {
                m_declared.insert(existing->objectName(), existing->metaObject());
                m_taken.insert(existing->objectName());
            }
            m_declared.insert(tree.name, rootClass);
            m_taken.insert(tree.name);
            // References may name components declared further down.
            collectNames(tree.members);
            return planObject(tree, nullptr, rootClass);
        }

        void collectNames(const std::vector<FormParser::Member>& members)
        {
            for (const FormParser::Member& member : members) {
                const auto* node = std::get_if<Node>(&member);
                if (!node)
                    continue;
                if (!m_declared.contains(node->name)) {
                    const RegisteredClass* registered = findClass(node->className);
                    m_declared.insert(node->name, registered ? registered->metaObject : nullptr);
                }
                collectNames(node->members);
            }
        }

        ObjectPlan planObject(const Node& node, const RegisteredClass* registered, const QMetaObject* metaObject)
        {
            ObjectPlan plan;
            plan.node = &node;
            plan.registered = registered;
            for (const FormParser::Member& member : node.members) {
                if (const auto* property = std::get_if<PropertyNode>(&member))
                    plan.members.emplace_back(planProperty(*property, metaObject));
                else
                    plan.members.emplace_back(planChild(std::get<Node>(member)));
            }
            return plan;
        }

        ObjectPlan planChild(const Node& node)
        {
            const RegisteredClass* registered = findClass(node.className);
            if (!registered)
                fail(node.classLine, node.classColumn, QStringLiteral("unknown class %1").arg(node.className));
            if (m_taken.contains(node.name))
                fail(node.nameLine, node.nameColumn, QStringLiteral("the name %1 is already taken").arg(node.name));
            m_taken.insert(node.name);
            return planObject(node, registered, registered->metaObject);
        }

        PropertyPlan planProperty(const PropertyNode& node, const QMetaObject* metaObject)
        {
            PropertyPlan plan;
            plan.node = &node;
            const CommonProperty* common = findCommon(node.name);
            const bool dotted = node.name.contains(u'.');
            const int index = dotted ? -1 : metaObject->indexOfProperty(node.name.toLatin1().constData());
            if (index >= 0) {
                plan.property = metaObject->property(index);
                if (!plan.property.isWritable())
                    fail(node.line, node.column, QStringLiteral("%1 of %2 cannot be set").arg(node.name, QLatin1String(metaObject->className())));
                plan.expect = expectFor(plan, metaObject);
                plan.enumerator = plan.property.enumerator();
            } else if (common && metaObject->inherits(&QWidget::staticMetaObject)) {
                plan.common = common;
                plan.expect = common->expect;
                if (common->enumerator)
                    plan.enumerator = common->enumerator();
            } else {
                fail(node.line, node.column, QStringLiteral("%1 has no property %2").arg(QLatin1String(metaObject->className()), node.name));
            }
            const ValueKind& kind = valueKind(plan.expect);
            const Value& value = node.value;
            if (!(kind.accepted & (1u << unsigned(value.kind))))
                fail(value.line, value.column,
                    QStringLiteral("%1 takes %2, not %3").arg(node.name, QLatin1String(kind.described), kindName(value.kind)));
            plan.value = (this->*kind.read)(plan, value);
            // A class that publishes its own Left or Width (a form's outer
            // frame) keeps the range the name stands for.
            if (common && plan.expect == Expect::Integer)
                checkRange(*common, value);
            return plan;
        }

        void checkRange(const CommonProperty& row, const Value& value) const
        {
            const Range& range = row.range;
            if (!range.zeroAllowed && value.integer == 0)
                fail(value.line, value.column, QStringLiteral("%1 cannot be 0").arg(QLatin1String(row.name)));
            if (value.integer < range.least || value.integer > range.most)
                fail(value.line, value.column,
                    QStringLiteral("%1 must lie between %2 and %3, not %4").arg(QLatin1String(row.name)).arg(range.least).arg(range.most).arg(value.integer));
        }

        Expect expectFor(PropertyPlan& plan, const QMetaObject* metaObject) const
        {
            const QMetaProperty& property = plan.property;
            const QMetaType type = property.metaType();
            if (property.isFlagType())
                return Expect::Flags;
            if (property.isEnumType())
                return Expect::Enum;
            if (type == QMetaType::fromType<TColor>())
                return Expect::Color;
            if (type == QMetaType::fromType<TNotifyEvent>())
                return Expect::Handler;
            if ((type.flags() & QMetaType::PointerToQObject) && type.metaObject()) {
                if (type.metaObject() == &TPicture::staticMetaObject)
                    return Expect::Picture;
                plan.referenceClass = type.metaObject();
                return Expect::Reference;
            }
            switch (type.id()) {
            case QMetaType::Int:
                return Expect::Integer;
            case QMetaType::Bool:
                return Expect::Boolean;
            case QMetaType::QString:
                return Expect::String;
            case QMetaType::QStringList:
                return Expect::StringList;
            default:
                break;
            }
            fail(plan.node->line, plan.node->column,
                QStringLiteral("%1 of %2 has type %3, which a description cannot set")
                    .arg(plan.node->name, QLatin1String(metaObject->className()), QLatin1String(type.name())));
        }

        // --- reading a value of each kind, checked as far as the text allows

        QVariant readInteger(PropertyPlan&, const Value& value) const { return value.integer; }

        QVariant readBoolean(PropertyPlan&, const Value& value) const { return value.boolean; }

        QVariant readString(PropertyPlan&, const Value& value) const { return value.text; }

        QVariant readStringList(PropertyPlan& plan, const Value& value) const
        {
            QStringList lines;
            for (const Value& item : value.items) {
                if (item.kind != Value::Kind::String)
                    fail(item.line, item.column, QStringLiteral("%1 takes a list of strings, not of identifiers").arg(plan.node->name));
                lines.append(item.text);
            }
            return lines;
        }

        int enumKey(const PropertyPlan& plan, const Value& item) const
        {
            bool ok = item.kind == Value::Kind::Identifier;
            const int key = ok ? plan.enumerator.keyToValue(item.text.toLatin1().constData(), &ok) : 0;
            if (!ok)
                fail(item.line, item.column,
                    QStringLiteral("%1 is no value of %2").arg(item.kind == Value::Kind::Identifier ? item.text : QStringLiteral("a string"), QLatin1String(plan.enumerator.name())));
            return key;
        }

        QVariant readEnum(PropertyPlan& plan, const Value& value) const
        {
            return integerAs(plan.property.metaType(), enumKey(plan, value));
        }

        QVariant readFlags(PropertyPlan& plan, const Value& value) const
        {
            int flags = 0;
            for (const Value& item : value.items)
                flags |= enumKey(plan, item);
            return plan.common ? QVariant(flags) : integerAs(plan.property.metaType(), flags);
        }

        QVariant readColor(PropertyPlan&, const Value& value) const
        {
            const std::optional<TColor> colour = TColor::fromName(value.text);
            if (!colour)
                fail(value.line, value.column, QStringLiteral("unknown colour %1").arg(value.text));
            return QVariant::fromValue(*colour);
        }

        QVariant readHandler(PropertyPlan&, const Value& value) const
        {
            const QByteArray signature = value.text.toLatin1() + "(QObject*)";
            if (m_root->metaObject()->indexOfMethod(signature.constData()) < 0)
                fail(value.line, value.column,
                    QStringLiteral("%1 has no handler %2(QObject* Sender)").arg(QLatin1String(m_root->metaObject()->className()), value.text));
            return value.text.toLatin1();
        }

        QVariant readReference(PropertyPlan& plan, const Value& value) const
        {
            const auto declared = m_declared.constFind(value.text);
            if (declared == m_declared.cend())
                fail(value.line, value.column, QStringLiteral("no component named %1").arg(value.text));
            // An unknown class is reported where it is declared.
            if (*declared && !(*declared)->inherits(plan.referenceClass))
                fail(value.line, value.column,
                    QStringLiteral("%1 is a %2, not a %3").arg(value.text, QLatin1String((*declared)->className()), QLatin1String(plan.referenceClass->className())));
            return value.text;
        }

        // Decoded now, before anything is built. A missing picture stops the
        // load; one that cannot be decoded costs only itself: the form comes
        // up without it, and the error is reported once, where the
        // description names the picture.
        QVariant readPicture(PropertyPlan& plan, const Value& value) const
        {
            const QString path = QDir::isAbsolutePath(value.text) ? value.text : QDir::cleanPath(m_directory + u'/' + value.text);
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                fail(value.line, value.column, QStringLiteral("no picture %1").arg(path));
            plan.picture = std::make_shared<TPicture>();
            try {
                plan.picture->loadFromData(file.readAll());
                plan.picture->loadDoubleDensity(path);
            } catch (const std::exception& e) {
                reportError(FormError(m_source, value.line, value.column, exceptionText(e)).message());
            }
            return QVariant::fromValue(plan.picture.get());
        }

        // --- application, in text order

        void applyMembers(const ObjectPlan& plan, QObject* target)
        {
            for (const MemberPlan& member : plan.members) {
                if (const auto* property = std::get_if<PropertyPlan>(&member))
                    applyProperty(*property, target);
                else
                    create(std::get<ObjectPlan>(member), target);
            }
        }

        void create(const ObjectPlan& plan, QObject* parent)
        {
            const Node& node = *plan.node;
            QObject* object = nullptr;
            at(node.line, node.column, [&] { object = plan.registered->create(m_root, parent); });
            if (!object)
                fail(node.line, node.column, QStringLiteral("no %1 could be created").arg(node.className));
            object->setObjectName(node.name);
            setOwner(object, m_root);
            applyMembers(plan, object);
        }

        void applyProperty(const PropertyPlan& plan, QObject* target)
        {
            const PropertyNode& node = *plan.node;
            if (plan.expect == Expect::Reference) {
                m_references.push_back({ &plan, target });
                return;
            }
            at(node.line, node.column, [&] {
                if (plan.common) {
                    plan.common->apply(m_building, qobject_cast<QWidget*>(target), plan.value);
                    return;
                }
                if (plan.expect == Expect::Handler)
                    write(plan, target, QVariant::fromValue(TNotifyEvent::byName(m_root, plan.value.toByteArray())));
                else
                    write(plan, target, plan.value);
            });
        }

        void write(const PropertyPlan& plan, QObject* target, const QVariant& value) const
        {
            if (!plan.property.write(target, value))
                fail(plan.node->line, plan.node->column,
                    QStringLiteral("%1 of %2 could not be set").arg(plan.node->name, target->objectName()));
        }

        void resolveReferences()
        {
            for (const PendingReference& pending : m_references) {
                const PropertyPlan& plan = *pending.plan;
                const Value& value = plan.node->value;
                const QString name = plan.value.toString();
                QObject* object = name == m_rootName ? m_root : findComponent(m_root, name);
                if (!object)
                    fail(value.line, value.column, QStringLiteral("no component named %1").arg(name));
                if (!object->metaObject()->inherits(plan.referenceClass))
                    fail(value.line, value.column,
                        QStringLiteral("%1 is a %2, not a %3").arg(name, QLatin1String(object->metaObject()->className()), QLatin1String(plan.referenceClass->className())));
                at(plan.node->line, plan.node->column, [&] { write(plan, pending.target, QVariant(plan.property.metaType(), &object)); });
            }
        }

        void applyTabOrder()
        {
            std::vector<TabStep>& steps = m_building.tabOrder;
            // Stable, so equal numbers keep the order they were written in.
            std::stable_sort(steps.begin(), steps.end(), [](const TabStep& a, const TabStep& b) { return a.order < b.order; });
            QHash<QWidget*, QWidget*> lastOfParent;
            for (const TabStep& step : steps) {
                QWidget*& last = lastOfParent[step.widget->parentWidget()];
                if (last)
                    QWidget::setTabOrder(last, step.widget);
                last = step.widget;
            }
        }

        QObject* m_root;
        QString m_source;
        QString m_directory;
        QString m_rootName;
        // Every name a reference may use, with its class (none when the class
        // is unknown, which is reported where the class is named).
        QHash<QString, const QMetaObject*> m_declared;
        QSet<QString> m_taken;
        std::vector<PendingReference> m_references;
        Building m_building;
    };

}

void loadForm(QObject* root, const QString& text, const QString& sourcePath)
{
    Q_ASSERT(root);
    Loader(root, sourcePath).load(text);
}

void loadFormResource(QObject* root, const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1: the form description cannot be read").arg(resourcePath));
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    if (decoder.hasError())
        throw Error(QStringLiteral("%1: the form description is not valid UTF-8").arg(resourcePath));
    loadForm(root, text, resourcePath);
}

}
