#pragma once
// Applies a form description to a form: creates its components and sets
// their properties in text order, after checking everything that can be
// checked before anything is created, so that a faulty description fails
// with its position instead of leaving a half-built form.

#include <QObject>
#include <QString>

namespace tk {

// Builds the description's components under root and applies the
// properties, validating everything first. sourcePath (":/template/MainForm.form")
// names the description in messages and anchors relative image paths.
// Throws FormError.
void loadForm(QObject* root, const QString& text, const QString& sourcePath);

// Reads the description from the resource (tk::Error when it is missing or
// not UTF-8) and loads it as loadForm does.
void loadFormResource(QObject* root, const QString& resourcePath);

}
