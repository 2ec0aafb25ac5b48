#pragma once
// Turns a form description into a tree of object nodes holding property
// nodes, in text order and with their positions; rejects bad syntax with the
// position where it goes wrong. Meaning is the loader's business.

#include "toolkit/form/FormLexer.h"

#include <QString>
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

    struct Object {
        enum class Member { Property,
            Object };

        QString className;
        QString name;
        int line = 0; // of the '@'
        int column = 0;
        int classLine = 0;
        int classColumn = 0;
        int nameLine = 0;
        int nameColumn = 0;
        std::vector<Property> properties;
        std::vector<Object> children;
        // Properties and children interleaved as written: the n-th Property
        // entry stands for properties[n], the n-th Object entry for children[n].
        std::vector<Member> order;
    };

    FormParser(const QString& text, const QString& sourcePath);

    // The description's one top-level object. Throws FormError.
    Object parse();

private:
    void advance();
    FormLexer::Token expect(FormLexer::Kind kind, const QString& wanted);
    [[noreturn]] void fail(const FormLexer::Token& at, const QString& what) const;
    Object parseObject();
    Property parseProperty();
    Value parseValue(const QString& property);
    Value parseList();

    FormLexer m_lexer;
    QString m_source;
    FormLexer::Token m_token;
};

}
