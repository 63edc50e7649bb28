#include "cuivaluecodec.h"

#include "cuixmlnode.h"

#include "vellcore/cdocumentlimits.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamWriter>

using namespace vmva;

namespace {

bool boolOf(const QString &text, bool &value)
{
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        value = true;
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        value = false;
        return true;
    }
    return false;
}

QString textOf(const cUiXmlNode &value)
{
    return value.text;
}

// The date and time of <date>, <time> or <datetime> elements.
QDateTime momentOf(const cUiXmlNode &value)
{
    const auto number = [&](const char *tag, int fallback) {
        bool ok = false;
        const int n = value.childText(tag).trimmed().toInt(&ok);
        return ok ? n : fallback;
    };
    const QDate date(number("year", 2000), number("month", 1), number("day", 1));
    const QTime time(number("hour", 0), number("minute", 0), number("second", 0));
    if (value.tag == QLatin1String("time"))
        return cDVIDateTimeProperty::make(QDate(2000, 1, 1), time);
    return cDVIDateTimeProperty::make(date, time);
}

bool readPicture(const cUiXmlNode &value, const QString &folder, QByteArray &bytes,
                 QString &problem)
{
    if (value.hasAttribute("theme") && value.children.empty()) {
        problem = QStringLiteral("icon from the theme \"%1\"").arg(value.attribute("theme"));
        return false;
    }
    QString path = value.childText("normaloff").trimmed();
    if (path.isEmpty())
        path = value.text.trimmed();
    if (path.isEmpty()) {
        bytes.clear();
        return true;
    }
    if (path.startsWith(QLatin1Char(':'))) {
        problem = QStringLiteral("picture from the resource \"%1\"").arg(path);
        return false;
    }
    QFile file(QDir(folder).filePath(path));
    if (!QFileInfo(file).isFile() || file.size() > vsa::cDocumentLimits::maxBytesLength
        || !file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("picture file \"%1\" that cannot be read").arg(path);
        return false;
    }
    bytes = file.readAll();
    return true;
}

// The extension a picture file is saved under, from its first bytes.
QString pictureExtension(const QByteArray &bytes)
{
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (bytes.startsWith("\xFF\xD8"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("GIF8"))
        return QStringLiteral("gif");
    if (bytes.startsWith("/* XPM"))
        return QStringLiteral("xpm");
    if (bytes.contains("<svg"))
        return QStringLiteral("svg");
    return QStringLiteral("bmp");
}

// The layout parameter as "mode,minimum,maximum,multiplier", "-" for a bound not set.
QString layoutText(const cDVLayoutParameter &lp)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(int(lp.mode()))
        .arg(lp.hasMinimum() ? QString::number(lp.minimum()) : QStringLiteral("-"))
        .arg(lp.hasMaximum() ? QString::number(lp.maximum()) : QStringLiteral("-"))
        .arg(lp.multiplier());
}

bool setLayoutText(cDVLayoutParameter &lp, const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const uint mode = parts[0].toUInt(&ok);
    if (!ok || mode > cDVLayoutParameter::Fixed)
        return false;
    lp = cDVLayoutParameter();
    lp.setMode(cDVLayoutParameter::LayoutMode(mode));
    if (parts[1] != QLatin1String("-")) {
        lp.setMinimum(parts[1].toUInt(&ok));
        if (!ok)
            return false;
    }
    if (parts[2] != QLatin1String("-")) {
        lp.setMaximum(parts[2].toUInt(&ok));
        if (!ok)
            return false;
    }
    lp.setMultiplier(parts[3].toUInt(&ok));
    return ok;
}

// A number in range of an integer property; false when it is none or out of range.
bool setInt(cDVIIntProperty &p, qint64 n, QString &problem)
{
    if (p.hasRange() && (n < p.minimum() || n > p.maximum())) {
        problem = QStringLiteral("value %1 outside %2..%3").arg(n).arg(p.minimum()).arg(p.maximum());
        return false;
    }
    p.setValue(n);
    return true;
}

} // namespace

bool cUiValueCodec::read(cDVIAbstractProperty &property, const cUiXmlNode &value,
                         const cUiElementMap::tEnumSet *enums, const QString &folder,
                         QString &problem)
{
    const QString &tag = value.tag;
    const QString text = textOf(value);
    const auto wrongKind = [&]() {
        problem = QStringLiteral("a <%1> value").arg(tag);
        return false;
    };
    if (auto *p = property.ucStringView()) {
        if (tag != QLatin1String("string") && tag != QLatin1String("cstring")
            && tag != QLatin1String("number"))
            return wrongKind();
        p->setValue(qstr(text));
        return true;
    }
    if (auto *p = property.asciiStringView()) {
        QString choice = text;
        if (enums && !cUiElementMap::enumChoice(*enums, text, choice)) {
            problem = QStringLiteral("the value \"%1\"").arg(vsa::cDocumentLimits::cut(text));
            return false;
        }
        p->setValue(qstr(choice).ascii());
        return true;
    }
    if (auto *p = property.intView()) {
        if (enums) {
            int n = 0;
            if ((tag != QLatin1String("enum") && tag != QLatin1String("set"))
                || !cUiElementMap::enumValue(*enums, text, n)) {
                problem = QStringLiteral("the value \"%1\"").arg(vsa::cDocumentLimits::cut(text));
                return false;
            }
            return setInt(*p, n, problem);
        }
        if (tag == QLatin1String("size"))
            return setInt(*p, value.childText("width").trimmed().toLongLong(), problem);
        bool ok = false;
        const qint64 n = text.trimmed().toLongLong(&ok);
        if (tag != QLatin1String("number") || !ok)
            return wrongKind();
        return setInt(*p, n, problem);
    }
    if (auto *p = property.flagsView()) {
        // Qt writes the set as scoped names; the property knows them bare.
        QStringList names;
        for (const QString &part : text.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            const QString bare = part.section(QLatin1String("::"), -1).trimmed();
            if (!enums || enums->count == 0 || bare != QLatin1String(enums->names[0].name))
                names << bare;
        }
        quint64 flags = 0;
        if ((tag != QLatin1String("set") && tag != QLatin1String("enum"))
            || !p->parse(names.join(QLatin1Char('|')), flags)) {
            problem = QStringLiteral("the value \"%1\"").arg(vsa::cDocumentLimits::cut(text));
            return false;
        }
        p->setValue(flags);
        return true;
    }
    if (auto *p = property.boolView()) {
        bool b = false;
        if (tag != QLatin1String("bool") || !boolOf(text.trimmed(), b))
            return wrongKind();
        p->setValue(b);
        return true;
    }
    if (auto *p = property.doubleView()) {
        bool ok = false;
        const double d = text.trimmed().toDouble(&ok);
        if ((tag != QLatin1String("double") && tag != QLatin1String("number")) || !ok)
            return wrongKind();
        p->setValue(d);
        return true;
    }
    if (auto *p = property.fontView()) {
        if (tag != QLatin1String("font"))
            return wrongKind();
        p->setValue(qstr(fontText(value)));
        return true;
    }
    if (auto *p = property.pixmapView()) {
        if (tag != QLatin1String("iconset") && tag != QLatin1String("pixmap"))
            return wrongKind();
        QByteArray bytes;
        if (!readPicture(value, folder, bytes, problem))
            return false;
        p->setValue(bytes);
        return true;
    }
    if (auto *p = property.dateTimeView()) {
        if (tag != QLatin1String("date") && tag != QLatin1String("time")
            && tag != QLatin1String("datetime"))
            return wrongKind();
        p->setValue(momentOf(value));
        return true;
    }
    return wrongKind();
}

void cUiValueCodec::readDefault(cDVIAbstractProperty &property,
                                const cUiElementMap::tEnumSet *enums, const char *text)
{
    cUiXmlNode value;
    value.text = QLatin1String(text);
    if (property.boolView())
        value.tag = QStringLiteral("bool");
    else if (property.intView())
        value.tag = enums ? QStringLiteral("enum") : QStringLiteral("number");
    else if (property.flagsView())
        value.tag = QStringLiteral("set");
    else
        value.tag = QStringLiteral("string");
    QString problem;
    read(property, value, enums, QString(), problem);
}

bool cUiValueCodec::write(QXmlStreamWriter &xml, const QString &tag, const QString &name,
                          const cDVIAbstractProperty &property,
                          const cUiElementMap::tEnumSet *enums, tPictureSet &picture)
{
    auto &p = const_cast<cDVIAbstractProperty &>(property);
    // The wrapper is opened only once the value is known to have an element of its own.
    const auto open = [&]() {
        xml.writeStartElement(tag);
        xml.writeAttribute(QStringLiteral("name"), name);
    };
    if (auto *v = p.ucStringView()) {
        open();
        xml.writeTextElement(QStringLiteral("string"), qstr(v->value()));
    } else if (auto *v = p.asciiStringView()) {
        if (enums) {
            const QString text = cUiElementMap::choiceText(*enums, qstr(v->value()));
            if (text.isEmpty())
                return false;
            open();
            xml.writeTextElement(QStringLiteral("enum"), text);
        } else {
            open();
            xml.writeStartElement(QStringLiteral("string"));
            xml.writeAttribute(QStringLiteral("notr"), QStringLiteral("true"));
            xml.writeCharacters(qstr(v->value()));
            xml.writeEndElement();
        }
    } else if (auto *v = p.intView()) {
        if (v->value() < INT_MIN || v->value() > INT_MAX)
            return false;
        if (enums) {
            const QString text = cUiElementMap::enumText(*enums, int(v->value()));
            if (text.isEmpty())
                return false;
            open();
            xml.writeTextElement(enums->isSet ? QStringLiteral("set") : QStringLiteral("enum"),
                                 text);
        } else if (property.name() == "IconSize") {
            open();
            xml.writeStartElement(QStringLiteral("size"));
            xml.writeTextElement(QStringLiteral("width"), QString::number(v->value()));
            xml.writeTextElement(QStringLiteral("height"), QString::number(v->value()));
            xml.writeEndElement();
        } else {
            open();
            xml.writeTextElement(QStringLiteral("number"), QString::number(v->value()));
        }
    } else if (auto *v = p.flagsView()) {
        if (!enums || !v->isNamed(v->value()))
            return false;
        QStringList names;
        for (const cDVIFlagsProperty::tFlag &flag : v->names())
            if (flag.second && (v->value() & flag.second) == flag.second)
                names << QLatin1String(enums->scope) + qstr(flag.first);
        if (names.isEmpty() && enums->count > 0)
            names << QLatin1String(enums->scope) + QLatin1String(enums->names[0].name);
        open();
        xml.writeTextElement(QStringLiteral("set"), names.join(QLatin1Char('|')));
    } else if (auto *v = p.boolView()) {
        open();
        xml.writeTextElement(QStringLiteral("bool"),
                             v->value() ? QStringLiteral("true") : QStringLiteral("false"));
    } else if (auto *v = p.doubleView()) {
        open();
        xml.writeTextElement(QStringLiteral("double"), QString::number(v->value(), 'g', 17));
    } else if (auto *v = p.fontView()) {
        const QString description = qstr(v->value());
        if (!fontFits(description))
            return false;
        open();
        writeFont(xml, description);
    } else if (auto *v = p.pixmapView()) {
        if (v->value().isEmpty() || picture.file.isEmpty())
            return false;
        picture.bytes = v->value();
        picture.file += QLatin1Char('.') + pictureExtension(v->value());
        open();
        xml.writeStartElement(QStringLiteral("iconset"));
        xml.writeTextElement(QStringLiteral("normaloff"), picture.file);
        xml.writeCharacters(picture.file);
        xml.writeEndElement();
    } else if (auto *v = p.dateTimeView()) {
        open();
        writeMoment(xml, *v);
    } else {
        return false;
    }
    xml.writeEndElement();
    return true;
}

void cUiValueCodec::writeMoment(QXmlStreamWriter &xml, const cDVIDateTimeProperty &property)
{
    const QDateTime &moment = property.value();
    const auto part = property.part();
    const char *tag = part == cDVIDateTimeProperty::Date ? "date"
        : part == cDVIDateTimeProperty::Time               ? "time"
                                                           : "datetime";
    const auto number = [&](const char *name, int n) {
        xml.writeTextElement(QLatin1String(name), QString::number(n));
    };
    xml.writeStartElement(QLatin1String(tag));
    if (part != cDVIDateTimeProperty::Date) {
        number("hour", moment.time().hour());
        number("minute", moment.time().minute());
        number("second", moment.time().second());
    }
    if (part != cDVIDateTimeProperty::Time) {
        number("year", moment.date().year());
        number("month", moment.date().month());
        number("day", moment.date().day());
    }
    xml.writeEndElement();
}

QString cUiValueCodec::text(const cDVIAbstractProperty &property)
{
    auto &p = const_cast<cDVIAbstractProperty &>(property);
    if (auto *v = p.ucStringView())
        return qstr(v->value());
    if (auto *v = p.asciiStringView())
        return qstr(v->value());
    if (auto *v = p.intView())
        return QString::number(v->value());
    if (auto *v = p.boolView())
        return v->value() ? QStringLiteral("true") : QStringLiteral("false");
    if (auto *v = p.doubleView())
        return QString::number(v->value(), 'g', 17);
    if (auto *v = p.flagsView())
        return v->text();
    if (auto *v = p.fontView())
        return qstr(v->value());
    if (auto *v = p.pixmapView())
        return QString::fromLatin1(v->value().toBase64());
    if (auto *v = p.dateTimeView())
        return v->text();
    if (auto *v = p.layoutView())
        return layoutText(v->value());
    if (auto *v = p.textListView())
        return v->text();
    return QString();
}

bool cUiValueCodec::setText(cDVIAbstractProperty &property, const QString &text)
{
    bool ok = true;
    if (auto *v = property.ucStringView()) {
        v->setValue(qstr(text));
    } else if (auto *v = property.asciiStringView()) {
        v->setValue(qstr(text).ascii());
    } else if (auto *v = property.intView()) {
        const qint64 n = text.toLongLong(&ok);
        ok = ok && !(v->hasRange() && (n < v->minimum() || n > v->maximum()));
        if (ok)
            v->setValue(n);
    } else if (auto *v = property.boolView()) {
        bool b = false;
        ok = boolOf(text, b);
        if (ok)
            v->setValue(b);
    } else if (auto *v = property.doubleView()) {
        const double d = text.toDouble(&ok);
        if (ok)
            v->setValue(d);
    } else if (auto *v = property.flagsView()) {
        quint64 flags = 0;
        ok = v->parse(text, flags);
        if (ok)
            v->setValue(flags);
    } else if (auto *v = property.fontView()) {
        v->setValue(qstr(text));
    } else if (auto *v = property.pixmapView()) {
        v->setValue(QByteArray::fromBase64(text.toLatin1()));
    } else if (auto *v = property.dateTimeView()) {
        const QDateTime moment = cDVIDateTimeProperty::parse(v->part(), text);
        ok = moment.isValid();
        if (ok)
            v->setValue(moment);
    } else if (auto *v = property.layoutView()) {
        cDVLayoutParameter lp;
        ok = setLayoutText(lp, text);
        if (ok)
            v->setValue(lp);
    } else if (auto *v = property.textListView()) {
        v->setValue(cDVITextListProperty::parse(text));
    } else {
        ok = false;
    }
    return ok;
}

QString cUiValueCodec::fontText(const cUiXmlNode &font)
{
    // QFont's description: family, point size, pixel size, style hint, weight, style,
    // underline, strike out, fixed pitch and the fields Qt 6 adds, at their defaults.
    const auto flag = [&](const char *tag) {
        bool b = false;
        return boolOf(font.childText(tag).trimmed(), b) && b ? 1 : 0;
    };
    bool ok = false;
    const int points = font.childText("pointsize").trimmed().toInt(&ok);
    int weight = flag("bold") ? 700 : 400;
    const int explicitWeight = font.childText("weight").trimmed().toInt(&ok);
    if (ok && font.child("bold") == nullptr && explicitWeight > 0)
        weight = explicitWeight < 100 ? explicitWeight * 8 : explicitWeight;
    return QStringLiteral("%1,%2,-1,5,%3,%4,%5,%6,0,0,0,0,0,0,0,1")
        .arg(font.childText("family"))
        .arg(points > 0 ? points : -1)
        .arg(weight)
        .arg(flag("italic"))
        .arg(flag("underline"))
        .arg(flag("strikeout"));
}

bool cUiValueCodec::fontFits(const QString &description)
{
    const QStringList f = description.split(QLatin1Char(','));
    // Only the fields a <font> element holds: anything else would not come back.
    return f.size() == 16 && f[2] == QLatin1String("-1") && f[3] == QLatin1String("5")
        && f.mid(8).join(QLatin1Char(',')) == QLatin1String("0,0,0,0,0,0,0,1")
        && !f[0].contains(QLatin1Char(',')) && (f[1] == QLatin1String("-1") || f[1].toInt() > 0)
        && f[1] == QString::number(f[1].toInt()) && f[4].toInt() >= 100
        && f[4] == QString::number(f[4].toInt())
        && QStringList{f[5], f[6], f[7]}.filter(QRegularExpression(QStringLiteral("^[01]$")))
                   .size() == 3;
}

bool cUiValueCodec::writeFont(QXmlStreamWriter &xml, const QString &description)
{
    if (!fontFits(description))
        return false;
    const QStringList f = description.split(QLatin1Char(','));
    bool ok = false;
    const int points = f[1].toInt(&ok);
    const int weight = f[4].toInt();
    const auto truth = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    xml.writeStartElement(QStringLiteral("font"));
    if (!f[0].isEmpty())
        xml.writeTextElement(QStringLiteral("family"), f[0]);
    if (ok && points > 0)
        xml.writeTextElement(QStringLiteral("pointsize"), QString::number(points));
    if (weight != 400 && weight != 700)
        xml.writeTextElement(QStringLiteral("weight"), QString::number(weight));
    else
        xml.writeTextElement(QStringLiteral("bold"), truth(weight == 700));
    xml.writeTextElement(QStringLiteral("italic"), truth(f[5] != QLatin1String("0")));
    xml.writeTextElement(QStringLiteral("underline"), truth(f[6] != QLatin1String("0")));
    xml.writeTextElement(QStringLiteral("strikeout"), truth(f[7] != QLatin1String("0")));
    xml.writeEndElement();
    return true;
}
