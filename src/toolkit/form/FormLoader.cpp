#include "toolkit/form/FormLoader.h"

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
#include <memory>

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

    // Properties every control takes under the names the description uses,
    // though Qt's widgets call them otherwise.
    enum class Common { None,
        Left,
        Top,
        Width,
        Height,
        Visible,
        Enabled,
        Anchors,
        TabOrder,
        TabStop,
        Hint,
        FontName,
        FontHeight };

    struct CommonProperty {
        const char* name;
        Common which;
        Expect expect;
    };

    constexpr CommonProperty kCommonProperties[] = {
        { "Left", Common::Left, Expect::Integer },
        { "Top", Common::Top, Expect::Integer },
        { "Width", Common::Width, Expect::Integer },
        { "Height", Common::Height, Expect::Integer },
        { "Visible", Common::Visible, Expect::Boolean },
        { "Enabled", Common::Enabled, Expect::Boolean },
        { "Anchors", Common::Anchors, Expect::Flags },
        { "TabOrder", Common::TabOrder, Expect::Integer },
        { "TabStop", Common::TabStop, Expect::Boolean },
        { "Hint", Common::Hint, Expect::String },
        { "Font.Name", Common::FontName, Expect::String },
        { "Font.Height", Common::FontHeight, Expect::Integer },
    };

    const CommonProperty* findCommon(const QString& name)
    {
        for (const CommonProperty& p : kCommonProperties)
            if (name == QLatin1String(p.name))
                return &p;
        return nullptr;
    }

    QMetaEnum anchorsEnum()
    {
        const QMetaObject& mo = tk::staticMetaObject;
        return mo.enumerator(mo.indexOfEnumerator("TAnchors"));
    }

    struct PropertyPlan {
        const PropertyNode* node = nullptr;
        QMetaProperty property; // invalid for a common property
        Common common = Common::None;
        Expect expect = Expect::Integer;
        // Ready to write; a common property's plain int, bool or string.
        QVariant value;
        const QMetaObject* referenceClass = nullptr;
        std::shared_ptr<TPicture> picture;
    };

    struct ObjectPlan {
        const Node* node = nullptr;
        const RegisteredClass* registered = nullptr; // none for the root
        std::vector<PropertyPlan> properties;
        std::vector<ObjectPlan> children;
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

    QString expectedName(Expect expect)
    {
        switch (expect) {
        case Expect::Integer:
            return QStringLiteral("an integer");
        case Expect::Boolean:
            return QStringLiteral("true or false");
        case Expect::String:
            return QStringLiteral("a string");
        case Expect::StringList:
            return QStringLiteral("a list of strings");
        case Expect::Enum:
            return QStringLiteral("an enumeration value");
        case Expect::Flags:
            return QStringLiteral("a set [...] of identifiers");
        case Expect::Color:
            return QStringLiteral("a colour");
        case Expect::Handler:
            return QStringLiteral("a handler name");
        case Expect::Reference:
            return QStringLiteral("a component name");
        case Expect::Picture:
            return QStringLiteral("image(\"path\")");
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
        struct TabStep {
            QWidget* widget;
            int order;
        };

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
            for (const Node& child : tree.children)
                collectNames(child);
            return planObject(tree, nullptr, rootClass);
        }

        void collectNames(const Node& node)
        {
            if (!m_declared.contains(node.name)) {
                const RegisteredClass* registered = findClass(node.className);
                m_declared.insert(node.name, registered ? registered->metaObject : nullptr);
            }
            for (const Node& child : node.children)
                collectNames(child);
        }

        ObjectPlan planObject(const Node& node, const RegisteredClass* registered, const QMetaObject* metaObject)
        {
            ObjectPlan plan;
            plan.node = &node;
            plan.registered = registered;
            size_t property = 0;
            size_t child = 0;
            for (Node::Member member : node.order) {
                if (member == Node::Member::Property)
                    plan.properties.push_back(planProperty(node.properties[property++], metaObject));
                else
                    plan.children.push_back(planChild(node.children[child++]));
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
            const bool dotted = node.name.contains(u'.');
            const int index = dotted ? -1 : metaObject->indexOfProperty(node.name.toLatin1().constData());
            QMetaEnum enumerator;
            if (index >= 0) {
                plan.property = metaObject->property(index);
                if (!plan.property.isWritable())
                    fail(node.line, node.column, QStringLiteral("%1 of %2 cannot be set").arg(node.name, QLatin1String(metaObject->className())));
                plan.expect = expectFor(plan, metaObject);
                enumerator = plan.property.enumerator();
            } else if (const CommonProperty* common = findCommon(node.name);
                       common && metaObject->inherits(&QWidget::staticMetaObject)) {
                plan.common = common->which;
                plan.expect = common->expect;
                if (plan.common == Common::Anchors)
                    enumerator = anchorsEnum();
            } else {
                fail(node.line, node.column, QStringLiteral("%1 has no property %2").arg(QLatin1String(metaObject->className()), node.name));
            }
            planValue(plan, enumerator);
            return plan;
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

        [[noreturn]] void wrongKind(const PropertyPlan& plan, const Value& value) const
        {
            fail(value.line, value.column,
                QStringLiteral("%1 takes %2, not %3").arg(plan.node->name, expectedName(plan.expect), kindName(value.kind)));
        }

        void planValue(PropertyPlan& plan, const QMetaEnum& enumerator)
        {
            const Value& value = plan.node->value;
            const QString& name = plan.node->name;
            switch (plan.expect) {
            case Expect::Integer:
                if (value.kind != Value::Kind::Integer)
                    wrongKind(plan, value);
                if ((plan.common == Common::Width || plan.common == Common::Height) && value.integer < 0)
                    fail(value.line, value.column, QStringLiteral("%1 cannot be negative").arg(name));
                if (plan.common == Common::FontHeight && value.integer == 0)
                    fail(value.line, value.column, QStringLiteral("Font.Height cannot be 0"));
                plan.value = value.integer;
                break;
            case Expect::Boolean:
                if (value.kind != Value::Kind::Boolean)
                    wrongKind(plan, value);
                plan.value = value.boolean;
                break;
            case Expect::String:
                if (value.kind != Value::Kind::String)
                    wrongKind(plan, value);
                plan.value = value.text;
                break;
            case Expect::StringList: {
                if (value.kind != Value::Kind::List)
                    wrongKind(plan, value);
                QStringList lines;
                for (const Value& item : value.items) {
                    if (item.kind != Value::Kind::String)
                        fail(item.line, item.column, QStringLiteral("%1 takes a list of strings, not of identifiers").arg(name));
                    lines.append(item.text);
                }
                plan.value = lines;
                break;
            }
            case Expect::Enum: {
                if (value.kind != Value::Kind::Identifier)
                    wrongKind(plan, value);
                bool ok = false;
                const int key = enumerator.keyToValue(value.text.toLatin1().constData(), &ok);
                if (!ok)
                    fail(value.line, value.column, QStringLiteral("%1 is no value of %2").arg(value.text, QLatin1String(enumerator.name())));
                plan.value = integerAs(plan.property.metaType(), key);
                break;
            }
            case Expect::Flags: {
                if (value.kind != Value::Kind::List)
                    wrongKind(plan, value);
                int flags = 0;
                for (const Value& item : value.items) {
                    bool ok = item.kind == Value::Kind::Identifier;
                    const int key = ok ? enumerator.keyToValue(item.text.toLatin1().constData(), &ok) : 0;
                    if (!ok)
                        fail(item.line, item.column, QStringLiteral("%1 is no value of %2").arg(item.kind == Value::Kind::Identifier ? item.text : QStringLiteral("a string"), QLatin1String(enumerator.name())));
                    flags |= key;
                }
                plan.value = plan.common == Common::None ? integerAs(plan.property.metaType(), flags) : QVariant(flags);
                break;
            }
            case Expect::Color: {
                if (value.kind != Value::Kind::Color && value.kind != Value::Kind::Identifier)
                    wrongKind(plan, value);
                const std::optional<TColor> colour = TColor::fromName(value.text);
                if (!colour)
                    fail(value.line, value.column, QStringLiteral("unknown colour %1").arg(value.text));
                plan.value = QVariant::fromValue(*colour);
                break;
            }
            case Expect::Handler: {
                if (value.kind != Value::Kind::Identifier)
                    wrongKind(plan, value);
                const QByteArray signature = value.text.toLatin1() + "(QObject*)";
                if (m_root->metaObject()->indexOfMethod(signature.constData()) < 0)
                    fail(value.line, value.column,
                        QStringLiteral("%1 has no handler %2(QObject* Sender)").arg(QLatin1String(m_root->metaObject()->className()), value.text));
                plan.value = value.text.toLatin1();
                break;
            }
            case Expect::Reference: {
                if (value.kind != Value::Kind::Identifier)
                    wrongKind(plan, value);
                const auto declared = m_declared.constFind(value.text);
                if (declared == m_declared.cend())
                    fail(value.line, value.column, QStringLiteral("no component named %1").arg(value.text));
                // An unknown class is reported where it is declared.
                if (*declared && !(*declared)->inherits(plan.referenceClass))
                    fail(value.line, value.column,
                        QStringLiteral("%1 is a %2, not a %3").arg(value.text, QLatin1String((*declared)->className()), QLatin1String(plan.referenceClass->className())));
                plan.value = value.text;
                break;
            }
            case Expect::Picture:
                if (value.kind != Value::Kind::Image)
                    wrongKind(plan, value);
                plan.picture = loadPicture(value);
                break;
            }
        }

        // Decoded now, so that a missing or corrupt picture stops the load
        // before anything is built.
        std::shared_ptr<TPicture> loadPicture(const Value& value) const
        {
            const QString path = QDir::isAbsolutePath(value.text) ? value.text : QDir::cleanPath(m_directory + u'/' + value.text);
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                fail(value.line, value.column, QStringLiteral("no picture %1").arg(path));
            auto picture = std::make_shared<TPicture>();
            at(value.line, value.column, [&] { picture->loadFromData(file.readAll()); });
            return picture;
        }

        // --- application, in text order

        void applyMembers(const ObjectPlan& plan, QObject* target)
        {
            size_t property = 0;
            size_t child = 0;
            for (Node::Member member : plan.node->order) {
                if (member == Node::Member::Property)
                    applyProperty(plan.properties[property++], target);
                else
                    create(plan.children[child++], target);
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
                if (plan.common != Common::None) {
                    applyCommon(plan, qobject_cast<QWidget*>(target));
                    return;
                }
                QVariant value = plan.value;
                if (plan.expect == Expect::Handler)
                    value = QVariant::fromValue(TNotifyEvent::byName(m_root, plan.value.toByteArray()));
                else if (plan.expect == Expect::Picture)
                    value = QVariant::fromValue(plan.picture.get());
                write(plan, target, value);
            });
        }

        void write(const PropertyPlan& plan, QObject* target, const QVariant& value) const
        {
            if (!plan.property.write(target, value))
                fail(plan.node->line, plan.node->column,
                    QStringLiteral("%1 of %2 could not be set").arg(plan.node->name, target->objectName()));
        }

        void applyCommon(const PropertyPlan& plan, QWidget* widget)
        {
            Q_ASSERT(widget);
            const int number = plan.value.toInt();
            switch (plan.common) {
            case Common::Left:
                widget->move(number, widget->y());
                break;
            case Common::Top:
                widget->move(widget->x(), number);
                break;
            case Common::Width:
                widget->resize(number, widget->height());
                break;
            case Common::Height:
                widget->resize(widget->width(), number);
                break;
            case Common::Visible:
                widget->setVisible(plan.value.toBool());
                break;
            case Common::Enabled:
                widget->setEnabled(plan.value.toBool());
                break;
            case Common::Anchors:
                setAnchors(widget, TAnchors::fromInt(number));
                break;
            case Common::TabOrder:
                m_tabOrder.push_back({ widget, number });
                break;
            case Common::TabStop:
                widget->setFocusPolicy(plan.value.toBool() ? Qt::StrongFocus : Qt::NoFocus);
                break;
            case Common::Hint:
                widget->setToolTip(plan.value.toString());
                break;
            case Common::FontName: {
                QFont font = widget->font();
                font.setFamily(plan.value.toString());
                widget->setFont(font);
                break;
            }
            case Common::FontHeight: {
                // The description gives the character height in pixels as
                // the Windows toolkit did (negative meaning without internal
                // leading); Qt's pixel size is the nearest match either way.
                QFont font = widget->font();
                font.setPixelSize(qAbs(number));
                widget->setFont(font);
                break;
            }
            case Common::None:
                break;
            }
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
            // Stable, so equal numbers keep the order they were written in.
            std::stable_sort(m_tabOrder.begin(), m_tabOrder.end(), [](const TabStep& a, const TabStep& b) { return a.order < b.order; });
            QHash<QWidget*, QWidget*> lastOfParent;
            for (const TabStep& step : m_tabOrder) {
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
        std::vector<TabStep> m_tabOrder;
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
