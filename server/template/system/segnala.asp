<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<%
// Sending an article to a friend: the visitor's name and address, the
// friend's address and a note; the shop mails the article's link.
var contenuti = Server.CreateObject("QTR50.Contenuti");
contenuti.SetConn(generale.Conn);
var articolo = Numero(Posta() ? Request.Form("IDArticolo") : Request.QueryString("IDArticolo"));
var trovato = articolo > 0 && contenuti.LeggiArticolo(articolo) && contenuti.FlagSegnalazioneArticolo;
var titolo = trovato ? String(contenuti.TitoloArticolo) : "";
var inviato = false;
var errore = "";
if (trovato && Posta()) {
    try {
        inviato = contenuti.SegnalazioneArticolo();
        errore = inviato ? "" : String(contenuti.Errore);
    } catch (e) {
        errore = T("ERRINVIO", "Non è stato possibile inviare il messaggio. Riprova più tardi o telefonaci.");
    }
}
var paginaCorrente = Indirizzo("/segnala.asp", { IDArticolo: articolo });
var titoloPagina = T("PMTSEGNALA", "Segnala a un amico");
var indirizzoArticolo = Indirizzo("/articolo.asp", { IDArticolo: articolo });
%>
<!--#include virtual="testa.inc"-->
<div class="pagina-testo">
  <section class="testo">
    <h1><%= H(T("PMTSEGNALA", "Segnala a un amico")) %></h1>
<% if (!trovato) {
       NonTrovato(); %>
    <p class="avviso" id="articolo-non-trovato"><%= H(T("PMTNONTROVATO", "La pagina che cercavi non c'è.")) %></p>
<% } else if (inviato) { %>
    <p class="messaggio ok" role="status" id="segnalazione-inviata"><%= H(T("MSGSEGNALAZIONEINVIATA", "La pagina è stata inviata al tuo amico.")) %></p>
    <p><a class="bottone" href="<%= H(indirizzoArticolo) %>"><%= H(T("PMTTORNAARTICOLO", "Torna all'articolo")) %></a></p>
<% } else { %>
    <p><a href="<%= H(indirizzoArticolo) %>"><%= H(titolo) %></a></p>
<%   if (errore !== "") { %>
    <p class="messaggio errore" role="alert" id="segnalazione-rifiutata"><%= H(errore) %></p>
<%   } %>
    <form class="modulo" method="post" action="/segnala.asp" id="modulo-segnala">
      <input type="hidden" name="IDArticolo" value="<%= articolo %>">
      <input type="hidden" name="URL" value="<%= H(indirizzoArticolo) %>">
      <label for="mittente"><%= H(T("PMTTUONOME", "Il tuo nome")) %></label>
      <input id="mittente" name="Mittente" type="text" maxlength="100" autocomplete="name" value="<%= H(contenuti.MittenteSegnalazione) %>">
      <label for="email-mittente"><%= H(T("PMTTUAEMAIL", "La tua e-mail")) %></label>
      <input id="email-mittente" name="EmailMittente" type="email" required maxlength="200" autocomplete="email" value="<%= H(contenuti.EmailMittenteSegnalazione) %>">
      <label for="email-amico"><%= H(T("PMTEMAILAMICO", "L'e-mail del tuo amico")) %></label>
      <input id="email-amico" name="EmailDestinatario" type="email" required maxlength="200" value="<%= H(contenuti.EmailDestinatarioSegnalazione) %>">
      <label for="note"><%= H(T("PMTNOTE", "Note")) %></label>
      <textarea id="note" name="Note" rows="5" maxlength="2000"><%= H(contenuti.NoteSegnalazione) %></textarea>
      <button class="bottone" type="submit"><%= H(T("PMTINVIA", "Invia")) %></button>
    </form>
<% } %>
  </section>
</div>
<% contenuti.Free(); %>
<!--#include virtual="piede.inc"-->
