#pragma once

#include <QString>

// The mapping between Qt Designer's classes and properties and the elements of the standard
// element library, as data: the reader and the writer both walk these tables, so that a class
// or a property is added by adding a row.
class cUiElementMap
{
public:
    // One Qt class and the element it becomes. The first row of an element is the class it is
    // written as; a row that is not exact is reported as approximated when read.
    struct tClassSet
    {
        const char *qtClass;
        const char *element;
        bool exact;
    };

    // One enumerator: its name without scope and the value (or the text of a choice) the
    // element keeps.
    struct tEnumNameSet
    {
        const char *name;
        int value;
        const char *choice;
    };
    struct tEnumSet
    {
        const char *scope;   // written in front of a name, e.g. "Qt::"
        const tEnumNameSet *names;
        int count;
        bool isSet;          // a set of flags joined by "|"
    };

    // One Qt property of an element ("" for every element that has the property). A row with
    // `qtDefault` gives the value Qt starts with where the element's own default differs, to
    // be taken when a form does not name the property. `attribute` rows are the <attribute>
    // elements of a page in its container.
    struct tPropertySet
    {
        const char *element;
        const char *uiName;
        const char *property;
        const tEnumSet *enums;
        const char *qtDefault;
        bool attribute;
    };

    // The row of `qtClass`, or null.
    static const tClassSet *findClass(const QString &qtClass);
    // The class an element is written as, or null.
    static const char *classOf(const QString &element);
    static const tClassSet *classes(int &count);
    // Every row, in table order; a row of no element ("") applies to every element.
    static const tPropertySet *properties(int &count);
    static bool applies(const tPropertySet &row, const QString &element);

    // The value of an enumerator or set text ("Qt::AlignLeft|Qt::AlignVCenter",
    // "Qt::Orientation::Horizontal", "Horizontal"); false when a name is unknown.
    static bool enumValue(const tEnumSet &enums, const QString &text, int &value);
    static bool enumChoice(const tEnumSet &enums, const QString &text, QString &choice);
    // The text of a value: a name, or for a set the names of its flags joined by "|"; empty when
    // no name fits.
    static QString enumText(const tEnumSet &enums, int value);
    static QString choiceText(const tEnumSet &enums, const QString &choice);

    // The size policy names and the layout modes they stand for.
    static const tEnumSet &sizePolicies();
};
