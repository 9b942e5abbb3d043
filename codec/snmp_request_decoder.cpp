#include "codec/snmp_request_decoder.h"

#include <utility>

#include "codec/activity_log.h"
#include "codec/message_content.h"
#include "codec/received_value.h"
#include "codec/snmp_decoder_text.h"
#include "codec/snmp_format.h"
#include "codec/snmp_wire.h"
#include "codec/stmf_exception.h"
#include "field/field_device_settings.h"
#include "tree/instance_value.h"
#include "tree/iso_tree.h"

namespace {

using namespace snmp_text;
namespace indent = snmp_indent;

// A binding as it came: the node it names (if the tree has it as an
// instance or other node) and the value element.
struct Received_Binding {
    Binding_Object object;
    uint8_t value_tag = 0;
    Bytes value;
};

// An object the tree does not know travels in the answer as a raw
// identifier: each tree-form byte plus one.
std::string raw_identifier(const Bytes& tree_form) {
    std::string name;
    for (uint8_t byte : tree_form) name.push_back(static_cast<char>(static_cast<uint8_t>(byte + 1)));
    return name;
}

Iso_Instance* as_instance(ISO_Object* node) {
    return node != nullptr && node->is(kind::kInstance) ? static_cast<Iso_Instance*>(node) : nullptr;
}

class Request_Decoder {
public:
    Request_Decoder(const Bytes& pdu, Activity_Log& log, ISO_Tree& tree, const Field_Device_Settings& settings)
        : reader_(pdu), log_(log), finder_(tree), settings_(settings) {}

    Field_Answer run() {
        try {
            read_header();
            if (pdu_tag_ == snmp::kGetResponse) {
                log_.text("Field device does not respond to a GET response\n");
                answer_.kind = answer_kind::kNone;
                return std::move(answer_);
            }
            read_bindings();
        } catch (const std::exception&) {
            // The wire checks failed: the answer is a genErr.
            answer_.error_status = snmp::kGenErr;
            answer_.error_index = 0;
            answer_.kind = answer_kind::kGet;
            answer_.refused = true;
            return std::move(answer_);
        }
        carry_out();
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
        log_.text(status == snmp::kNoError ? "No error is expected on a request.\n"
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
        for (size_t i = 0; i < settings_.count(); ++i) {
            if (text == settings_.name(i)) {
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
        bindings_.reserve(count);
        while (!reader_.empty()) {
            if (reader_.peek() != ber::kSequence) throw DecodingException(kSequenceExpected);
            decode_field(reader_, log_, indent::kBinding);
            Received_Binding binding;
            binding.object = decode_binding_object(reader_, log_, finder_);
            if (binding.object.node == nullptr) log_.text(kNotFound);
            const Decoded_Field value = decode_field(reader_, log_, indent::kObject);
            binding.value_tag = value.tag;
            binding.value = value.content;

            Request_Object slot;
            slot.name = binding.object.node != nullptr ? binding.object.node->name
                                                       : raw_identifier(binding.object.tree_form);
            slot.value.assign(binding.value.begin(), binding.value.end());
            slot.value_type = binding.value_tag;
            answer_.record.objects.push_back(std::move(slot));
            bindings_.push_back(std::move(binding));
        }
    }

    void fail(uint32_t status, size_t position) {
        answer_.error_status = status;
        answer_.error_index = static_cast<uint32_t>(position + 1);
    }

    // The value an answer carries for an instance, as the station shows it.
    void read_value(Request_Object& slot, const Iso_Instance& instance) {
        Rendered_Value rendered = render_value(instance);
        slot.name = instance.name;
        slot.value = std::move(rendered.text);
        slot.value_type = rendered.type;
    }

    void carry_out() {
        switch (pdu_tag_) {
            case snmp::kGetRequest:
                answer_.kind = answer_kind::kGet;
                break;
            case snmp::kGetNextRequest:
                answer_.kind = answer_kind::kGetNext;
                break;
            case snmp::kSetRequest:
                answer_.kind = answer_kind::kSet;
                break;
            default:
                return;
        }
        for (size_t i = 0; i < bindings_.size(); ++i) {
            Request_Object& slot = answer_.record.objects[i];
            Received_Binding& binding = bindings_[i];
            Iso_Instance* instance = as_instance(binding.object.node);
            if (pdu_tag_ == snmp::kGetRequest) {
                log_.text("Getting value for instance ");
                if (instance == nullptr) {
                    log_.text("object unknown\n");
                    return fail(snmp::kNoSuchName, i);
                }
                log_.text(instance->name + "\n");
                read_value(slot, *instance);
            } else if (pdu_tag_ == snmp::kSetRequest) {
                log_.text("Setting value for instance ");
                if (instance == nullptr) {
                    log_.text("object unknown\n");
                    return fail(snmp::kNoSuchName, i);
                }
                log_.text(instance->name + "\n");
                const int result = store_received_value(*instance, binding.value_tag, binding.value);
                read_value(slot, *instance);
                if (result != set_result::kStored) return fail(static_cast<uint32_t>(result), i);
            } else {
                log_.text("\nGetting next object past ");
                ISO_Object* node = binding.object.node;
                log_.text(node != nullptr ? node->name : std::string("object unknown"));
                const ISO_Object* next = node != nullptr ? ISO_Tree::next_instance(node) : nullptr;
                if (next == nullptr) {
                    log_.text(": Could not find next object!\n");
                    return fail(snmp::kNoSuchName, i);
                }
                log_.text(": " + next->name + "\n");
                read_value(slot, static_cast<const Iso_Instance&>(*next));
            }
        }
    }

    Byte_Reader reader_;
    Activity_Log& log_;
    Standard_Oid_Finder finder_;  // the bindings mostly share the start of their identifiers
    const Field_Device_Settings& settings_;
    uint8_t pdu_tag_ = 0;
    std::vector<Received_Binding> bindings_;
    Field_Answer answer_;
};

}  // namespace

Field_Answer decode_snmp_request(const Bytes& pdu, Activity_Log& log, ISO_Tree& tree,
                                 const Field_Device_Settings& settings) {
    return Request_Decoder(pdu, log, tree, settings).run();
}
