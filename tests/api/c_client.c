/* A plain C caller of libquorvan.so: it makes a working directory from the
 * sample files given on the command line, loads the tree and reads one
 * object, as any outside program would. Exit status 0 when all went right. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "quorvan.h"

static int copy_file(const char *from, const char *to) {
    FILE *in = fopen(from, "rb");
    FILE *out = in != NULL ? fopen(to, "wb") : NULL;
    char buffer[4096];
    size_t n;
    int ok = in != NULL && out != NULL;
    while (ok && (n = fread(buffer, 1, sizeof buffer, in)) > 0) ok = fwrite(buffer, 1, n, out) == n;
    if (in != NULL) fclose(in);
    if (out != NULL && fclose(out) != 0) ok = 0;
    return ok;
}

static int check(int condition, const char *what) {
    if (!condition) fprintf(stderr, "c_client: %s\n", what);
    return condition;
}

int main(int argc, char **argv) {
    char dir[] = "/tmp/quorvan-c-client-XXXXXX";
    char mib_output[32] = "Mibi.out";
    Node_Info info;
    int ok = 1;
    int32_t result;

    if (argc != 3 || mkdtemp(dir) == NULL) return 2;
    if (chdir(dir) != 0 || !copy_file(argv[1], "Mibi.out") || !copy_file(argv[2], "TreeCfg.ini")) return 2;

    ok &= check(Init("", 0, NULL, QV_ROLE_CENTRAL, NULL, NULL, 0) == 0, "Init failed");
    ok &= check(CompileMIB("Mibi", mib_output, "Errors.out", 0) == 0, "CompileMIB failed");
    ok &= check(strcmp(mib_output, "Mibint.out") == 0, "CompileMIB did not name Mibint.out");
    ok &= check(SetInstanceValue("demoTemperature.0", "-12", 0) == 0, "SetInstanceValue failed");

    memset(&info, 0, sizeof info);
    result = GetNodeInfo("demoTemperature.0", &info);
    ok &= check(result == 0, "GetNodeInfo did not find the instance");
    if (result == 0) {
        ok &= check(strcmp(info.value, "-12") == 0, "wrong value");
        ok &= check(info.value_type == QV_TYPE_INTEGER, "wrong value type");
        ok &= check(strcmp(info.oid, "1.3.6.1.4.1.1206.4.2.99.1.3.0") == 0, "wrong OID");
        ok &= check(strcmp(info.syntax, "INTEGER (-40..85)") == 0, "wrong syntax");
        ok &= check(info.neg_lower == -40 && info.lower == 0 && info.upper == 85, "wrong bounds");
        printf("%s = %s (%s)\n", info.name, info.value, info.oid);
        free(info.syntax);
        free(info.access);
        free(info.status);
        free(info.further);
        free(info.oid);
        free(info.value);
        free(info.name);
    }
    ok &= check(Shutdown() == 0, "Shutdown failed");
    ok &= check(access("NQuorvan.ini", F_OK) == 0, "Shutdown wrote no NQuorvan.ini");

    /* Leave nothing behind. */
    {
        const char *files[] = {"Mibi.out", "Mibint.out", "Mibsub.out", "TreeCfg.ini",
                               "quorvan.log", "inst.log", "NQuorvan.ini"};
        size_t i;
        for (i = 0; i < sizeof files / sizeof files[0]; ++i) unlink(files[i]);
        if (chdir("/") == 0) rmdir(dir);
    }
    return ok ? 0 : 1;
}
