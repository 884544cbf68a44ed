#include "vbprog/murvel/views/varianttree.h"

#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/typefacenames.h"

#include <algorithm>
#include <utility>

namespace
{

const QString &RegularFace = Faces::Kai;
const QString &SealFace = Faces::Seal;
const QString &SealVariantFace = Faces::SealVariant;
const QString &BronzeFace = Faces::Bronze;
const QString &OracleBoneFace = Faces::OracleBone;
const QString &ChuFace = Faces::Chu;
const QString &BronzeInOtherViews = Faces::BronzeInOtherViews;

bool HasMark(int category)
{
    return std::ranges::any_of(VariantCategories, [category](const VariantCategory &known) {
        return known.number == category;
    });
}

int ShapeFlag(const std::optional<VariantGlyph> &glyph)
{
    return glyph && glyph->shapeIsNull ? 1 : 0;
}

} // namespace

const std::array<VariantCategory, 11> VariantCategories = {{
    {2, u'簡'},  // simplified form
    {3, u'篆'},  // small-seal form
    {4, u'或'},  // alternative form
    {5, u'古'},  // ancient form
    {6, u'籀'},  // 籀文 form
    {7, u'俗'},  // popular form
    {8, u'奇'},  // odd form
    {11, u'金'}, // bronze form
    {12, u'甲'}, // oracle-bone form
    {13, u'楚'}, // Chu-script form
    {99, u'訛'}, // erroneous form
}};

QString VariantMemberText(const VariantGlyph &glyph)
{
    if (!glyph.shape.isEmpty())
        return glyph.shape;
    if (!glyph.code.isEmpty())
        return glyph.code;
    return QStringLiteral("●");
}

VariantTree::VariantTree(VariantTreeTarget &target, const FaceNames &faceNames)
    : m_target(target), m_faceNames(faceNames)
{
}

void VariantTree::endGroup()
{
    if (m_head >= 0)
        m_target.expand(m_head);
}

QString VariantTree::faceOfCode(int code) const
{
    return code >= 0 && code < FaceCodeCount ? m_faceNames[code] : QString();
}

VariantCharacterTree::VariantCharacterTree(VariantTreeTarget &target, const FaceNames &faceNames,
                                           QString face, QString glyph, qint32 number,
                                           GlyphLookup scriptGlyph, GlyphLookup regularGlyph)
    : VariantTree(target, faceNames), m_face(std::move(face)), m_glyph(std::move(glyph)),
      m_number(number), m_script(ScriptOfFace(m_face).id), m_scriptGlyph(std::move(scriptGlyph)),
      m_regularGlyph(std::move(regularGlyph))
{
}

void VariantCharacterTree::begin(const QList<VariantGroup> &groups)
{
    const std::optional<VariantGlyph> own = m_scriptGlyph(m_number);
    QString text = m_glyph;
    // Without its record the glyph is shown as its caller showed it.
    QString face = m_face;
    if (own) {
        switch (own->faceCode) {
        case 0:
            face = RegularFace;
            break;
        case 13:
            face = SealFace;
            break;
        case 14:
            face = SealVariantFace;
            break;
        case 15:
            face = BronzeFace;
            break;
        case 16:
            face = OracleBoneFace;
            break;
        case 17:
            face = ChuFace;
            break;
        default:
            face = faceOfCode(own->faceCode);
            break;
        }
        if (m_script != ScriptId::Regular)
            text = own->code;
    }
    m_grouped = groups.size() > 1;
    if (!groups.isEmpty() && !m_grouped)
        return;
    VariantItem item{text, DisplayFontName(face), m_number, ShapeFlag(own),
                     groups.isEmpty() ? VariantPicture::Leaf : VariantPicture::Node};
    const int added = m_target.add(item, -1);
    if (m_grouped) {
        m_root = added;
        m_target.expand(m_root);
    }
}

QString VariantCharacterTree::memberFace(const VariantGlyph &glyph) const
{
    const QString face = faceOfCode(glyph.faceCode);
    if (face == BronzeFace && m_face != BronzeFace)
        return BronzeInOtherViews;
    return DisplayFontName(face);
}

bool VariantCharacterTree::addMember(const VariantMember &member)
{
    if (member.place == 0)
        return addRegularGlyph(member);
    const std::optional<VariantGlyph> glyph = m_scriptGlyph(member.number);
    if (!glyph)
        return false;
    VariantItem item{VariantMemberText(*glyph), {}, glyph->number, ShapeFlag(glyph)};
    if (member.place > 1) {
        item.face = memberFace(*glyph);
        if (m_script != ScriptId::Regular) {
            item.picture = VariantPicture::Leaf;
        } else if (member.category) {
            ++m_markCount;
            if (HasMark(*member.category))
                item.mark = *member.category;
        }
        m_target.add(item, m_head);
    } else if (m_script == ScriptId::Bronze || m_script == ScriptId::OracleBone ||
               m_script == ScriptId::Chu) {
        item.face = m_face;
        item.picture = VariantPicture::Leaf;
        m_target.add(item, m_head);
    } else if (m_grouped) {
        item.face = memberFace(*glyph);
        item.picture = VariantPicture::Composite;
        m_head = m_target.add(item, m_root);
    } else {
        item.face = DisplayFontName(faceOfCode(glyph->faceCode));
        item.picture = VariantPicture::Node;
        m_head = m_target.add(item, -1);
    }
    return true;
}

// A row of 形碼 0 stands for a regular glyph: shown in its small-seal form when it has one.
bool VariantCharacterTree::addRegularGlyph(const VariantMember &member)
{
    const std::optional<VariantGlyph> regular =
        member.regularNumber ? m_regularGlyph(*member.regularNumber) : std::nullopt;
    if (!regular)
        return false;
    VariantItem item{{}, {}, 0, ShapeFlag(regular), VariantPicture::Composite};
    if (regular->sealNumber) {
        item.text = regular->sealText;
        item.face = SealFace;
        item.data = *regular->sealNumber;
    } else {
        item.text = regular->code;
        item.face = DisplayFontName(faceOfCode(regular->faceCode));
        item.data = regular->number;
    }
    m_head = m_target.add(item, m_grouped ? m_root : -1);
    return true;
}

VariantComponentTree::VariantComponentTree(VariantTreeTarget &target, const FaceNames &faceNames,
                                           std::optional<VariantGlyph> root, qint32 regularNumber,
                                           QString glyph, QString face, GlyphLookup regularGlyph)
    : VariantTree(target, faceNames), m_rootGlyph(std::move(root)), m_number(regularNumber),
      m_rootText(m_rootGlyph ? m_rootGlyph->code : std::move(glyph)),
      m_rootFace(m_rootGlyph ? faceOfCode(m_rootGlyph->faceCode) : std::move(face)),
      m_regularGlyph(std::move(regularGlyph))
{
}

void VariantComponentTree::begin(const QList<VariantGroup> &groups)
{
    VariantItem item{m_rootText, DisplayFontName(m_rootFace), m_number, ShapeFlag(m_rootGlyph)};
    if (groups.isEmpty()) {
        if (m_rootGlyph)
            item.picture =
                m_rootGlyph->formulaKind == 0 ? VariantPicture::Unknown : VariantPicture::Leaf;
        m_target.add(item, -1);
        return;
    }
    // The glyph is the root unless it heads its only group.
    if (groups.size() == 1 && groups.first().place == 1)
        return;
    item.picture = VariantPicture::Node;
    m_root = m_target.add(item, -1);
    m_target.expand(m_root);
}

bool VariantComponentTree::addMember(const VariantMember &member)
{
    const std::optional<VariantGlyph> glyph = m_regularGlyph(member.number);
    if (!glyph)
        return false;
    VariantItem item{VariantMemberText(*glyph), DisplayFontName(faceOfCode(glyph->faceCode)),
                     glyph->number};
    if (member.place != 1) {
        item.picture = member.place == 2 || glyph->formulaKind == 0 ? VariantPicture::Unknown
                                                                    : VariantPicture::Leaf;
        m_target.add(item, m_head);
    } else if (m_root >= 0) {
        item.picture = VariantPicture::Composite;
        m_head = m_target.add(item, m_root);
    } else {
        item.flag = ShapeFlag(glyph);
        item.picture = VariantPicture::Node;
        m_head = m_target.add(item, -1);
    }
    return true;
}
