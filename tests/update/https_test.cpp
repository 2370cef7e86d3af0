#include <gtest/gtest.h>
#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "support/temp_home.h"
#include "update/http_client.h"

namespace mousedeck::update {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A certificate for 127.0.0.1 signed by its own key: valid for an hour, but
// trusted by no certificate authority.
bool WriteSelfSignedCertificate(const fs::path& certificate, const fs::path& key) {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> pkey(EVP_EC_gen("P-256"), EVP_PKEY_free);
    std::unique_ptr<X509, decltype(&X509_free)> x509(X509_new(), X509_free);
    if (!pkey || !x509) {
        return false;
    }
    ASN1_INTEGER_set(X509_get_serialNumber(x509.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(x509.get()), 0);
    X509_gmtime_adj(X509_getm_notAfter(x509.get()), 3600);
    X509_set_pubkey(x509.get(), pkey.get());
    X509_NAME* name = X509_get_subject_name(x509.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"),
                               -1, -1, 0);
    X509_set_issuer_name(x509.get(), name);
    if (X509_sign(x509.get(), pkey.get(), EVP_sha256()) == 0) {
        return false;
    }
    const std::unique_ptr<std::FILE, FileCloser> certificate_file(std::fopen(certificate.c_str(), "w"));
    const std::unique_ptr<std::FILE, FileCloser> key_file(std::fopen(key.c_str(), "w"));
    return certificate_file && key_file && PEM_write_X509(certificate_file.get(), x509.get()) == 1 &&
           PEM_write_PrivateKey(key_file.get(), pkey.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
}

// Certificate verification cannot be turned off: a server whose certificate
// no authority vouches for gets no request, although it answers a client
// that does not check.
TEST(HttpsTest, UntrustedCertificateIsRefused) {
    mousedeck::test::TempDir dir;
    ASSERT_TRUE(WriteSelfSignedCertificate(dir / "server.pem", dir / "server.key"));
    httplib::SSLServer server((dir / "server.pem").c_str(), (dir / "server.key").c_str());
    ASSERT_TRUE(server.is_valid());
    server.Get("/version", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("1.0", "text/plain");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread loop([&] { server.listen_after_bind(); });
    while (!server.is_running()) {
        std::this_thread::sleep_for(1ms);
    }

    httplib::SSLClient unchecking("127.0.0.1", port);
    unchecking.enable_server_certificate_verification(false);
    const httplib::Result control = unchecking.Get("/version");
    ASSERT_TRUE(control);
    EXPECT_EQ(control->body, "1.0");

    HttpOptions options;
    options.connect_timeout = 2s;
    options.stall_timeout = 2s;
    const TextAnswer answer = FetchText("https://127.0.0.1:" + std::to_string(port) + "/version", options);
    EXPECT_EQ(answer.status, FetchStatus::kFailed);
    EXPECT_TRUE(answer.text.empty());

    server.stop();
    loop.join();
}

}  // namespace
}  // namespace mousedeck::update
