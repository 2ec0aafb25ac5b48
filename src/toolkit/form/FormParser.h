#pragma once
// Turns a form description into a tree of object nodes holding property
// nodes, in text order and with their positions; rejects bad syntax with the
// position where it goes wrong. Meaning is the loader's business.

#include "toolkit/form/FormLexer.h"

#include <QString>
#include <variant>
#include <vector>

namespace tk {

class FormParser {
public:
    struct Value {
        enum class Kind { Integer,
            Boolean,
            String,
            Identifier,
            Color,
            List,
            Image };

        Kind kind = Kind::Integer;
        int line = 0;
        int column = 0;
        int integer = 0;
        bool boolean = false;
        // A string's content, an identifier, a colour "#RRGGBB", an image path.
        QString text;
        // A list's items: all identifiers or all strings.
        std::vector<Value> items;
    };

    struct Property {
        // "Caption", or "Font.Name" for a dotted name.
        QString name;
        int line = 0;
        int column = 0;
        Value value;
    };

    struct Object;
    // A property or an object, as the text writes it inside its object.
    using Member = std::variant<Property, Object>;

    struct Object {
        QString className;
        QString name;
        int line = 0; // of the '@'
        int column = 0;
        int classLine = 0;
        int classColumn = 0;
        int nameLine = 0;
        int nameColumn = 0;
        // In text order, so that one walk meets properties and objects
        // interleaved as written.
        std::vector<Member> members;
    };

    // How deep objects may nest, the root counting as the first: far beyond
    // any form, and shallow enough that reading, checking, building and
    // freeing the tree stay well inside the stack.
    static constexpr int MaxDepth = 100;

    FormParser(const QString& text, const QString& sourcePath);

    // The description's one top-level object. Throws FormError.
    Object parse();

private:
    void advance();
    FormLexer::Token expect(FormLexer::Kind kind, const QString& wanted);
    [[noreturn]] void fail(const FormLexer::Token& at, const QString& what) const;
    Object parseObject(int depth);
    Property parseProperty();
    Value parseValue(const QString& property);
    Value parseList();

    FormLexer m_lexer;
    QString m_source;
    FormLexer::Token m_token;
};

}
