// Makes a test authority trusted in the wine prefix it runs in, and nowhere else: the
// certificate (DER) goes into that prefix's local machine root store, which is where wine's
// certificate checks look (the current user's store is not enough).
//
//   trustca.exe CA.der
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: trustca.exe CA.der\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<unsigned char> der((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
    if (der.empty()) {
        std::fprintf(stderr, "trustca: cannot read the certificate\n");
        return 1;
    }
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                     CERT_SYSTEM_STORE_LOCAL_MACHINE, L"ROOT");
    if (store == nullptr) {
        std::fprintf(stderr, "trustca: no root store (%lu)\n", GetLastError());
        return 1;
    }
    const BOOL added = CertAddEncodedCertificateToStore(
        store, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
        CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    const DWORD error = GetLastError();
    CertCloseStore(store, 0);
    if (added == FALSE) {
        std::fprintf(stderr, "trustca: not added (%lu)\n", error);
        return 1;
    }
    return 0;
}
