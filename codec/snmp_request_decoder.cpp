#include "codec/snmp_request_decoder.h"

#include <utility>

#include "codec/activity_log.h"
#include "codec/message_content.h"
#include "codec/received_value.h"
#include "codec/snmp_decoder_text.h"
#include "codec/snmp_format.h"
#include "codec/snmp_wire.h"
#include "codec/stmf_exception.h"
#include "tree/iso_tree.h"

namespace {

using namespace snmp_text;
namespace indent = snmp_indent;

// An object the tree does not know travels in the answer as a raw
// identifier: each tree-form byte plus one.
std::string raw_identifier(const Bytes& tree_form) {
    std::string name;
    for (uint8_t byte : tree_form) name.push_back(static_cast<char>(static_cast<uint8_t>(byte + 1)));
    return name;
}

class Request_Decoder {
public:
    Request_Decoder(const Bytes& pdu, Activity_Log& log, ISO_Tree& tree, const std::vector<std::string>& communities)
        : reader_(pdu), log_(log), finder_(tree), communities_(communities) {}

    Field_Answer run() {
        try {
            read_header();
            if (pdu_tag_ == snmp::kGetResponse) {
                log_.text("Field device does not respond to a GET response\n");
                answer_.kind = Answer_Kind::none;
                return std::move(answer_);
            }
            read_bindings();
        } catch (const std::exception&) {
            // The wire checks failed: the answer is a genErr.
            answer_.error_status = code_of(Snmp_Error_Status::genErr);
            answer_.error_index = 0;
            answer_.kind = Answer_Kind::get;
            answer_.refused = true;
            return std::move(answer_);
        }
        answer_.kind = pdu_tag_ == snmp::kGetNextRequest ? Answer_Kind::get_next
                       : pdu_tag_ == snmp::kSetRequest   ? Answer_Kind::set
                                                         : Answer_Kind::get;
        return std::move(answer_);
    }

private:
    void read_header() {
        if (reader_.empty() || reader_.peek() != ber::kSequence) {
            log_.text(kNoSequence);
            log_.unreconciled_line();
            throw DecodingException(kInvalidSequence);
        }
        log_.text("An SNMP PDU\n");
        decode_field(reader_, log_, indent::kMessage);

        expect_tag(reader_, log_, ber::kInteger, kNoVersion);
        log_.text("SNMP version number\n");
        const Field_View version = read_field(reader_, log_, indent::kPart);
        if (version.content.size() != 1 || version.content[0] != snmp::kVersion1) {
            log_.text(kBadVersion);
            throw DecodingException(kInvalidVersion);
        }

        expect_tag(reader_, log_, ber::kOctetString, kNoCommunity);
        log_.text("SNMP Community Name\n");
        const std::span<const uint8_t> community = read_field(reader_, log_, indent::kPart).content;
        check_community(community);

        Request_Record& record = answer_.record;
        record.protocol = "SNMP";
        record.class_name = "Class B";
        record.community.assign(community.begin(), community.end());
        record.address = 0;
        record.group_address = 0;
        record.edit_byte_stream = 0;

        pdu_tag_ = reader_.empty() ? 0 : reader_.peek();
        switch (pdu_tag_) {
            case snmp::kGetRequest:
                log_.text("SNMP Get Request\n");
                break;
            case snmp::kGetNextRequest:
                log_.text("SNMP Get-Next Request\n");
                break;
            case snmp::kGetResponse:
                log_.text("SNMP Get Response\n");
                break;
            case snmp::kSetRequest:
                log_.text("SNMP Set Request\n");
                break;
            case snmp::kTrap:
                log_.text("SNMP Trap -- not implemented yet!\n");
                throw InvalidReferenceException(kTrap);
            default:
                throw InvalidReferenceException(kInvalidType);
        }
        decode_field(reader_, log_, indent::kPart, /*as_sequence=*/true);

        expect_tag(reader_, log_, ber::kInteger, kNoRequestId);
        log_.text("SNMP Request ID:\n");
        record.request_id = request_id_of_octets(read_field(reader_, log_, indent::kPduPart).content);

        expect_tag(reader_, log_, ber::kInteger, kNoErrorStatus);
        log_.text("SNMP Error Status:\n");
        const uint32_t status = decode_unsigned_octets(read_field(reader_, log_, indent::kPduPart).content);
        log_.text(status == code_of(Snmp_Error_Status::noError) ? "No error is expected on a request.\n"
                                           : "ERROR!  The central station reported an error code!\n");

        expect_tag(reader_, log_, ber::kInteger, kNoErrorIndex);
        log_.text("SNMP Error Index should be null on a request:\n");
        decode_unsigned_octets(read_field(reader_, log_, indent::kPduPart).content);
        log_.text("Variable binding of objects:\n");
    }

    // The names the device accepts, in order; each one passed writes the
    // two lines, the one that matches ends the search.
    void check_community(std::span<const uint8_t> community) {
        const std::string text(community.begin(), community.end());
        for (const std::string& name : communities_) {
            if (text == name) {
                log_.text("The community name is valid\n");
                return;
            }
            log_.text(kBadCommunity);
            log_.text(kProtocolErrorMaybe);
        }
    }

    void read_bindings() {
        if (reader_.empty()) return;
        if (reader_.peek() != ber::kSequence) {
            log_.text(kUnexpectedType1);
            log_.text(kUnexpectedType2);
            log_.text(kUnexpectedType3);
            throw DecodingException(kInvalidSequence);
        }
        decode_field(reader_, log_, indent::kPduPart);
        const size_t count = element_count(reader_);
        answer_.record.objects.reserve(count);
        answer_.bindings.reserve(count);
        while (!reader_.empty()) {
            if (reader_.peek() != ber::kSequence) throw DecodingException(kSequenceExpected);
            decode_field(reader_, log_, indent::kBinding);
            Binding_Object object = decode_binding_object(reader_, log_, finder_);
            if (object.node == nullptr) log_.text(kNotFound);
            Received_Binding binding;
            binding.node = object.node;
            binding.oid = std::move(object.standard);
            const Decoded_Field value = decode_field(reader_, log_, indent::kObject);
            binding.value_tag = value.tag;
            binding.value = value.content;

            Request_Object slot;
            slot.name = object.node != nullptr ? object.node->name : raw_identifier(object.tree_form);
            slot.value.assign(binding.value.begin(), binding.value.end());
            slot.value_type = binding.value_tag;
            answer_.record.objects.push_back(std::move(slot));
            answer_.bindings.push_back(std::move(binding));
        }
    }

    Byte_Reader reader_;
    Activity_Log& log_;
    Standard_Oid_Finder finder_;  // the bindings mostly share the start of their identifiers
    const std::vector<std::string>& communities_;
    uint8_t pdu_tag_ = 0;
    Field_Answer answer_;
};

}  // namespace

Field_Answer decode_snmp_request(const Bytes& pdu, Activity_Log& log, ISO_Tree& tree,
                                 const std::vector<std::string>& communities) {
    return Request_Decoder(pdu, log, tree, communities).run();
}
