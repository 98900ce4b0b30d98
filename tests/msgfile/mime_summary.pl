# Converts the .msg file given as the argument into a MIME mail as msgconvert
# does, with the module msgconvert is made of, and prints what the mail
# carries, one fact a line: the headers, the text parts and each attachment's
# name, size and checksum. (msgconvert itself prints the mail with its body
# encoded twice when a header holds a character beyond Latin-1, so the mail
# is looked at before that step.)
use strict;
use warnings;
use Digest::MD5 qw(md5_hex);
use Email::Outlook::Message;

my $mail = Email::Outlook::Message->new($ARGV[0])->to_email_mime;
binmode(STDOUT, ':encoding(UTF-8)');
print "Subject: ", $mail->header_str('Subject') // '', "\n";
print "From: ", $mail->header_str('From') // '', "\n";
print "To: ", $mail->header_str('To') // '', "\n";
print "Cc: ", $mail->header_str('Cc') // '', "\n";
$mail->walk_parts(sub {
    my ($part) = @_;
    return if $part->subparts;
    my $name = $part->filename;
    if (defined $name) {
        my $body = $part->body;
        printf "Attachment: %s %d %s\n", $name, length($body), md5_hex($body);
    } elsif ($part->content_type =~ m{^text/plain}) {
        print "Body: ", $part->body_str, "\n";
    } elsif ($part->content_type =~ m{^text/html}) {
        print "Html: ", $part->body_str, "\n";
    }
});
