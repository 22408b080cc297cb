// The CIU commands: one request and one reply each, applied to the point table.
#include "driver/comm_access.h"
#include "driver/driver_state.h"
#include "driver/reply_apply.h"
#include "driver/vantor.h"

#include <cmath>

using namespace vantor;

namespace {

// Request with a point's plant address: Loop, PCU (from address = Loop * 256 + PCU),
// module and block.
void putAddress(Request &request, int address, int module, int block)
{
    request.put8(address >> 8);
    request.put8(address);
    request.put16(module);
    request.put16(block);
}

// Exchange for the commands that return 0, -1, -2 or -3; ErrorCount counts each failure.
int plainCommand(const Request &request)
{
    CiuLink &link = driver().link;
    int rc = link.exchange(request);
    if (rc > 0)
        rc = kReplyCodeError;
    if (rc != 0)
        link.countError();
    return rc;
}

// Exchange for the commands that return the reply code itself, -1 or -2.
int codeCommand(const Request &request, bool countReplyCodes)
{
    CiuLink &link = driver().link;
    int rc = link.exchange(request);
    if (rc < 0 || (rc > 0 && countReplyCodes))
        link.countError();
    return rc;
}

// Exchange for the read commands: -1, -2, -3, or what the applier makes of the reply.
template <typename Apply>
int readCommand(const Request &request, Apply apply)
{
    CiuLink &link = driver().link;
    int rc = link.exchange(request);
    if (rc > 0)
        rc = kReplyCodeError;
    if (rc == 0) {
        ApplyResult result = apply(link.reply());
        rc = result.rc;
        if (rc == kBadIndex || rc == kTypeMismatch)
            link.setBadIndex(result.badIndex);
    }
    if (rc < 0)
        link.countError();
    return rc;
}

Request rangeRequest(int command, int first, int last)
{
    Request request(command);
    request.put16(first);
    request.put16(last);
    return request;
}

}  // namespace

extern "C" {

int CiuOnline(int on)
{
    Request request(44);
    request.put8(on ? 1 : 0);
    return plainCommand(request) == 0 ? 0 : 1;
}

int CiuEstablishPoint(int address, int module, int block, int index, int type)
{
    Request request(1);
    request.put16(index);
    request.put8(type);
    putAddress(request, address, module, block);
    return plainCommand(request);
}

int CiuEstablishAndConnectPoint(int address, int module, int block, int index, int type)
{
    Request request(49);
    request.put16(index);
    request.put8(type);
    putAddress(request, address, module, block);
    request.put8(0);
    return codeCommand(request, false);
}

int CiuConnectPointList(int first, int last) { return plainCommand(rangeRequest(4, first, last)); }

int CiuEstablishReport(int index, int type, int state, double reportValue1, double reportValue2, double highLimit,
                       double lowLimit)
{
    Request request(2);
    request.put16(index);
    request.put8(type);
    request.put8(state);
    bool digital = type == 13;
    for (double v : {reportValue1, reportValue2, highLimit, lowLimit, 0.0, 0.0})
        request.putReal3(digital ? 0.0 : v);
    request.put8(0);
    return codeCommand(request, true);
}

int CiuReadExceptions(void)
{
    Request request(8);
    request.put8(0);
    return readCommand(request, [](auto reply) { return applyExceptionReport(reply, driver().points); });
}

int CiuReadValueList(int first, int last)
{
    return readCommand(rangeRequest(6, first, last),
                       [=](auto reply) { return applyValueList(reply, first, last, driver().points); });
}

int CiuReadMiscellaneousStatusExceptions(void)
{
    Request request(22);
    request.put8(0);
    return readCommand(
        request, [](auto reply) { return applyMiscExceptions(reply, driver().points, statusMasks(driver().comm)); });
}

int CiuReadMiscellaneousStatusList(int first, int last)
{
    return readCommand(rangeRequest(21, first, last), [=](auto reply) {
        return applyMiscList(reply, first, last, driver().points, statusMasks(driver().comm));
    });
}

int CiuReadBlock(int address, int module, int block, int index)
{
    Request request(20);
    putAddress(request, address, module, block);
    CiuLink &link = driver().link;
    int code = link.exchange(request);
    if (code == 0) {
        ApplyResult result = applyReadBlock(link.reply(), index, driver().points);
        if (result.rc != 0)
            link.countError();
        return result.rc;
    }
    if (code == 32 || code == 39 || code >= 100) {
        driver().points.markBad(index);  // the point keeps its last value
        return 0;
    }
    if (code == 35 || code == 40 || code == 41)
        return 0;
    link.countError();
    return code < 0 ? code : kReplyCodeError;
}

int CiuOutputValue(int index, int type, int bad, double value)
{
    PointTable &points = driver().points;
    if (type != 12 && type != 13)
        return kTypeMismatch;
    int flags = bad ? 0x80 : 0;
    Request request(10);
    request.put16(index);
    if (type == 12) {
        if (value >= points.highLimit(index))
            flags |= 0x40;
        else if (value <= points.lowLimit(index))
            flags |= 0x20;
        request.put8(flags);
        request.putReal3(value);
    } else {
        if (std::trunc(value) == static_cast<double>(points.alarmState(index)))
            flags |= 0x40;
        if (value != 0.0)
            flags |= 0x01;
        request.put8(flags);
        for (int k = 0; k < 3; ++k)
            request.put8(0);
    }
    return codeCommand(request, true);
}

}  // extern "C"
