#include "engine/link_params.h"

#include "engine/param_table.h"

#include <cmath>

namespace tarsel {

namespace {

RangedValue fromTable(int index) {
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(index)];
    return RangedValue{info.defaultValue, info.lo, info.hi};
}

} // namespace

// Defaults in the order fcent, Pt, Gt, Gr, Nf, Bw, Mf, Bl, Temp, Sn, IpInt,
// Range, PropLaw, XColWid, X12s, X23s, Rhill, nHillType, y01s, y02s, y03s,
// bDiffract; the distances take half of the range already set.
LinkParams::LinkParams()
    : fcent(fromTable(FieldFcent)), Pt(fromTable(FieldPt)), Gt(fromTable(FieldGt)),
      Gr(fromTable(FieldGr)), Nf(fromTable(FieldNf)), Bw(fromTable(FieldBw)),
      Mf(fromTable(FieldMf)), Bl(fromTable(FieldBl)), Temp(fromTable(FieldTemp)),
      Sn(fromTable(FieldSn)), IpInt(fromTable(FieldIpInt)), Range(fromTable(FieldRange)),
      PropLaw(fromTable(FieldPropLaw)), XColWid{13, 10, 20}, X12s{Range.value * 0.5, 0.0, DblMax},
      X23s{Range.value * 0.5, 0.0, DblMax}, Rhill(fromTable(FieldRhill)), nHillType(0),
      y01s(fromTable(FieldY01s)), y02s(fromTable(FieldY02s)), y03s(fromTable(FieldY03s)),
      bDiffract(0) {}

RangedValue* paramForField(LinkParams& params, int index) {
    switch (index) {
    case FieldPt:
        return &params.Pt;
    case FieldFcent:
        return &params.fcent;
    case FieldGt:
        return &params.Gt;
    case FieldGr:
        return &params.Gr;
    case FieldRange:
        return &params.Range;
    case FieldNf:
        return &params.Nf;
    case FieldBw:
        return &params.Bw;
    case FieldMf:
        return &params.Mf;
    case FieldTemp:
        return &params.Temp;
    case FieldSn:
        return &params.Sn;
    case FieldIpInt:
        return &params.IpInt;
    case FieldX12s:
        return &params.X12s;
    case FieldX23s:
        return &params.X23s;
    case FieldRhill:
        return &params.Rhill;
    case FieldY01s:
        return &params.y01s;
    case FieldY02s:
        return &params.y02s;
    case FieldY03s:
        return &params.y03s;
    case FieldPropLaw:
        return &params.PropLaw;
    case FieldBl:
        return &params.Bl;
    default:
        return nullptr;
    }
}

const RangedValue* paramForField(const LinkParams& params, int index) {
    return paramForField(const_cast<LinkParams&>(params), index);
}

void rescaleDistancesToRange(LinkParams& params, double oldX12, double oldX23) {
    const double r = params.Range.value;
    const double sum = oldX12 + oldX23;
    if (sum == 0.0) {
        // No ratio to keep: put the obstruction halfway.
        params.X12s.value = r * 0.5;
        params.X23s.value = r - params.X12s.value;
        return;
    }
    if (std::isinf(sum) && std::isfinite(oldX12) && std::isfinite(oldX23)) {
        // Two huge distances whose sum overflows: take the shares from halves.
        const double halfSum = oldX12 * 0.5 + oldX23 * 0.5;
        params.X12s.value = r * ((oldX12 * 0.5) / halfSum);
        params.X23s.value = r * ((oldX23 * 0.5) / halfSum);
        return;
    }
    params.X12s.value = r * (oldX12 / sum);
    params.X23s.value = r * (oldX23 / sum);
}

void rangeFromDistances(LinkParams& params) {
    params.Range.value = params.X12s.value + params.X23s.value;
}

void coupleAcceptedField(LinkParams& params, int index, double oldX12, double oldX23) {
    if (index == FieldRange) {
        rescaleDistancesToRange(params, oldX12, oldX23);
    } else if (index == FieldX12s || index == FieldX23s) {
        rangeFromDistances(params);
    }
}

} // namespace tarsel
