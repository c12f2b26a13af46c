// sonalyx-cli transfer: sends a coefficient file to the dsPIC board over a serial port and
// prints the board's answer (the transfer's status text).
#include "cli/CliCommand.h"
#include "transfer/CoefTransfer.h"
#include "transfer/serial/CQSerialLine.h"

#include <map>

namespace {

const std::string kUsage =
    "transfer --port DEVICE --coef COEF.csv [--format 1_15|2_14|1_31|2_30|float] [--baud B] "
    "[--no-echo] [--run]   send the coefficients line by line (each echoed by the board), then "
    "with --run the start command; prints the status";

} // namespace

SONALYX_CLI_COMMAND("transfer", kUsage, args, ctx) {
    if (!args.Has("port") || !args.Has("coef") || !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    static const std::map<std::string, int> kFormats = {{"1_15", coefformat::Q15},
                                                        {"2_14", coefformat::Q14},
                                                        {"1_31", coefformat::Q31},
                                                        {"2_30", coefformat::Q30},
                                                        {"float", coefformat::Float}};
    TransferSettings settings;
    if (const auto f = args.Get("format")) {
        const auto it = kFormats.find(*f);
        if (it == kFormats.end()) {
            ctx.err << "--format: unknown value: " << *f << "\n";
            return 2;
        }
        settings.coefFormat = it->second;
    }
    if (args.Has("baud")) {
        const auto baud = CliInt(args, "baud", ctx);
        if (!baud) return 2;
        int index = -1;
        for (int i = 0; i < transferlimits::kBaudRates; ++i)
            if (BaudRateOfIndex(i) == *baud) index = i;
        if (index < 0) {
            ctx.err << "--baud: one of 1200 2400 4800 9600 19200 38400 57600 115200 230400 "
                       "460800\n";
            return 2;
        }
        settings.baudIndex = index;
    }
    CCoefTransfer transfer(ctx.ui, settings);
    transfer.SetPort(settings.comPort, args.GetOr("port", ""));
    transfer.SetEchoCheck(!args.Has("no-echo"));
    const int loaded = transfer.LoadFile(args.GetOr("coef", ""));
    ctx.out << transfer.Status() << "\n";
    if (!loaded) return 1;
    CQSerialLine line;
    const int sent = transfer.OnTx(line);
    ctx.out << transfer.Status() << "\n";
    if (!sent) {
        if (!line.LastError().empty()) ctx.err << line.LastError() << "\n";
        return 1;
    }
    if (args.Has("run")) {
        const int ran = transfer.OnRun(line);
        ctx.out << transfer.Status() << "\n";
        if (!ran) return 1;
    }
    return 0;
}
