#pragma once

// The typed views of element properties: one class per kind of value.
#include "cdviabstractproperty.h"
#include "cdvlayoutparameter.h"

#include "vellcore/cstring.h"
#include "vellcore/vtypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

namespace vmva {

// The list of named values of a property that has none.
template <class P> const std::vector<P> &noValues()
{
    static const std::vector<P> none;
    return none;
}

// A property whose value is a value of type T with a default.
template <class T>
class tDVIValueProperty : public cDVIAbstractProperty
{
public:
    tDVIValueProperty(const vstd::cAsciiString &name, const vstd::cAsciiString &topic,
                      const vstd::cAsciiString &help, unsigned int flags, const T &defaultValue)
        : cDVIAbstractProperty(name, topic, help, flags), mValue(defaultValue),
          mDefault(defaultValue) {}
    const T &value() const { return mValue; }
    void setValue(const T &value) { mValue = value; }
    // Exchanges the value with `value`, which receives the previous one (no copy of large
    // values such as picture bytes).
    void swapValue(T &value) { std::swap(mValue, value); }
    const T &defaultValue() const { return mDefault; }
    bool isDefault() const override { return mValue == mDefault; }
    void resetToDefault() override { mValue = mDefault; }

private:
    T mValue;
    T mDefault;
};

// A property that names a model location: its value is its own model location, so it stores
// no "Value" of its own.
class cDVIModelLocationProperty : public cDVIAbstractProperty
{
public:
    using cDVIAbstractProperty::cDVIAbstractProperty;
    cDVIModelLocationProperty *modelLocationView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIModelLocationProperty>(*this);
    }
    bool isDefault() const override { return modelLocation().isEmpty(); }
    void resetToDefault() override { setModelLocation(cDMDataModelDescriptor()); }
    void storeValue(vsa::cAbstractSerializer &) const override {}
    void loadValue(vsa::cAbstractDeserializer &) override {}
};

class cDVIBoolProperty : public tDVIValueProperty<bool>
{
public:
    using tDVIValueProperty::tDVIValueProperty;
    cDVIBoolProperty *boolView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIBoolProperty>(*this);
    }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;
};

class cDVIAsciiStringProperty : public tDVIValueProperty<vstd::cAsciiString>
{
public:
    struct tPredefinedPair
    {
        vstd::cAsciiString value;
        vstd::cAsciiString name;
    };
    using tDVIValueProperty::tDVIValueProperty;
    cDVIAsciiStringProperty *asciiStringView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIAsciiStringProperty>(*this);
    }
    const std::vector<tPredefinedPair> &predefinedValues() const
    {
        return mPredefined ? *mPredefined : noValues<tPredefinedPair>();
    }
    void setPredefinedValues(const std::vector<tPredefinedPair> &values, bool onlyThese)
    {
        mPredefined = std::make_shared<const std::vector<tPredefinedPair>>(values);
        mOnlyPredefined = onlyThese;
    }
    bool onlyPredefinedValuesAllowed() const { return mOnlyPredefined; }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;

private:
    // Shared by copies, as the description is.
    std::shared_ptr<const std::vector<tPredefinedPair>> mPredefined;
    bool mOnlyPredefined = false;
};

class cDVIIntProperty : public tDVIValueProperty<__int64>
{
public:
    struct tPredefinedPair
    {
        __int64 value;
        vstd::cAsciiString name;
    };
    using tDVIValueProperty::tDVIValueProperty;
    cDVIIntProperty *intView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIIntProperty>(*this);
    }
    const std::vector<tPredefinedPair> &predefinedValues() const
    {
        return mPredefined ? *mPredefined : noValues<tPredefinedPair>();
    }
    void setPredefinedValues(const std::vector<tPredefinedPair> &values)
    {
        mPredefined = std::make_shared<const std::vector<tPredefinedPair>>(values);
    }
    // A range exists when maximum >= minimum (the default has none).
    __int64 minimum() const { return mMin; }
    __int64 maximum() const { return mMax; }
    bool hasRange() const { return mMax >= mMin; }
    void setRange(__int64 min, __int64 max) { mMin = min; mMax = max; }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;

private:
    std::shared_ptr<const std::vector<tPredefinedPair>> mPredefined;
    __int64 mMin = 1;
    __int64 mMax = 0;
};

// A floating-point number with an optional range (none when maximum < minimum) and the number
// of decimals it is shown and edited with.
class cDVIDoubleProperty : public tDVIValueProperty<double>
{
public:
    using tDVIValueProperty::tDVIValueProperty;
    cDVIDoubleProperty *doubleView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIDoubleProperty>(*this);
    }
    double minimum() const { return mMin; }
    double maximum() const { return mMax; }
    bool hasRange() const { return mMax >= mMin; }
    void setRange(double min, double max) { mMin = min; mMax = max; }
    int decimals() const { return mDecimals; }
    void setDecimals(int decimals) { mDecimals = decimals; }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;

private:
    double mMin = 1;
    double mMax = 0;
    int mDecimals = 2;
};

// A date, a time of day or both, as its part says. The value has no time zone (it is kept in
// UTC terms, which know no daylight saving gaps): a form shows the same wall clock wherever it
// runs. Files hold it as ISO 8601 text ("2026-12-07", "14:30:00", "2026-12-07T14:30:00").
class cDVIDateTimeProperty : public tDVIValueProperty<QDateTime>
{
public:
    enum Part { Date, Time, DateTime };
    cDVIDateTimeProperty(const vstd::cAsciiString &name, const vstd::cAsciiString &topic,
                         const vstd::cAsciiString &help, unsigned int flags, Part part,
                         const QDateTime &defaultValue)
        : tDVIValueProperty(name, topic, help, flags, defaultValue), mPart(part) {}
    cDVIDateTimeProperty *dateTimeView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIDateTimeProperty>(*this);
    }
    Part part() const { return mPart; }
    QString text() const { return format(mPart, value()); }
    // The ISO text of `value` for `part`; empty for an invalid value.
    static QString format(Part part, const QDateTime &value);
    // The value the ISO text names for `part` (a time of day on 2000-01-01, a date at
    // midnight); invalid when the text names none.
    static QDateTime parse(Part part, QStringView text);
    // The wall clock of `date` and `time` as this view keeps it.
    static QDateTime make(const QDate &date, const QTime &time = QTime(0, 0));
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;

private:
    Part mPart;
};

// A set of named flags, each a bit of the value (Qt's QFlags values, say). Files hold it as the
// names of the set flags joined by " | " in the order the flags were named ("Ok | Cancel"), so
// that a file stays readable and a renumbered flag keeps its meaning.
class cDVIFlagsProperty : public tDVIValueProperty<quint64>
{
public:
    using tFlag = std::pair<vstd::cAsciiString, quint64>;
    cDVIFlagsProperty(const vstd::cAsciiString &name, const vstd::cAsciiString &topic,
                      const vstd::cAsciiString &help, unsigned int flags,
                      std::shared_ptr<const std::vector<tFlag>> names, quint64 defaultValue)
        : tDVIValueProperty(name, topic, help, flags, defaultValue), mNames(std::move(names)) {}
    cDVIFlagsProperty *flagsView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIFlagsProperty>(*this);
    }
    const std::vector<tFlag> &names() const { return mNames ? *mNames : noValues<tFlag>(); }
    // True when every set bit has a name.
    bool isNamed(quint64 value) const;
    QString text() const { return format(value()); }
    QString format(quint64 value) const;
    // The value the text names; false when a part of it names no flag.
    bool parse(QStringView text, quint64 &value) const;
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;

private:
    std::shared_ptr<const std::vector<tFlag>> mNames;
};

// A list of texts (the entries of a combo box or a list). Its text form is one entry per line.
// Files hold that text with a line feed behind every entry, so that a text of the earlier form,
// which has none behind its last entry ("Red;Green;Blue"), is still read as it always was.
class cDVITextListProperty : public tDVIValueProperty<QStringList>
{
public:
    using tDVIValueProperty::tDVIValueProperty;
    cDVITextListProperty *textListView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVITextListProperty>(*this);
    }
    QString text() const { return value().join(u'\n'); }
    // The entries of the text form: one per line, kept as they are; an empty text has none.
    static QStringList parse(QStringView text);
    // The entries of a text as files hold it; see the class comment.
    static QStringList parseStored(QStringView text);
    // The entries as a row of the property table shows them ("Red, Green, Blue").
    QString summary() const { return value().join(QLatin1String(", ")); }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;
};

// A picture, kept as the bytes of its image file (PNG, XPM, SVG, ...); empty for none.
class cDVIPixmapProperty : public tDVIValueProperty<QByteArray>
{
public:
    using tDVIValueProperty::tDVIValueProperty;
    cDVIPixmapProperty *pixmapView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIPixmapProperty>(*this);
    }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;
};

class cDVIUCStringProperty : public tDVIValueProperty<vucs::cString>
{
public:
    using tDVIValueProperty::tDVIValueProperty;
    cDVIUCStringProperty *ucStringView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIUCStringProperty>(*this);
    }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;
};

// A layout parameter; stored as a small context "LayoutParameter" holding "Mode", the optional
// "Minimum" and "Maximum" and "Multiplier".
class cDVILayoutProperty : public tDVIValueProperty<cDVLayoutParameter>
{
public:
    using tDVIValueProperty::tDVIValueProperty;
    cDVILayoutProperty *layoutView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVILayoutProperty>(*this);
    }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;
};

// A font, kept as the text QFont::toString() gives; empty for the default font.
class cDVIFontProperty : public tDVIValueProperty<vucs::cString>
{
public:
    using tDVIValueProperty::tDVIValueProperty;
    cDVIFontProperty *fontView() override { return this; }
    std::unique_ptr<cDVIAbstractProperty> clone() const override
    {
        return std::make_unique<cDVIFontProperty>(*this);
    }
    void storeValue(vsa::cAbstractSerializer &serializer) const override;
    void loadValue(vsa::cAbstractDeserializer &deserializer) override;
};

} // namespace vmva
