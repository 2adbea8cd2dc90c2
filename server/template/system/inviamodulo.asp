<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<%
// An article's form, posted: mailed to the merchant, then the article the
// form answers with, or back to the article.
var contenuti = Server.CreateObject("QTR50.Contenuti");
contenuti.SetConn(generale.Conn);
var articolo = Numero(Request.Form("IDArticolo"));
var inviato = false;
var errore = "";
if (Posta()) {
    try {
        inviato = contenuti.InviaModulo();
        errore = inviato ? "" : String(contenuti.Errore);
    } catch (e) {
        errore = T("ERRINVIO", "Non è stato possibile inviare il messaggio. Riprova più tardi o telefonaci.");
    }
}
var risposta = articolo > 0 && contenuti.LeggiArticolo(articolo) ? contenuti.IDArticoloRispostaModulo : 0;
var paginaCorrente = "/inviamodulo.asp";
var titoloPagina = T("PMTINVIA", "Invia");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione">
<% if (inviato) { %>
  <p class="messaggio ok" role="status" id="modulo-inviato"><%= H(T("MSGINVIATO", "Grazie, il tuo messaggio è stato inviato.")) %></p>
<% } else { %>
  <p class="messaggio errore" role="alert" id="modulo-rifiutato"><%= H(errore || T("ERRMODULONONVALIDO", "Il modulo non è valido.")) %></p>
<% } %>
<% if (risposta > 0) { %>
  <p><a class="bottone" id="link-risposta" href="<%= H(Indirizzo("/articolo.asp", { IDArticolo: risposta })) %>"><%= H(T("PMTCONTINUA", "Continua")) %></a></p>
<% } else if (articolo > 0) { %>
  <p><a class="bottone" href="<%= H(Indirizzo("/articolo.asp", { IDArticolo: articolo })) %>"><%= H(T("PMTTORNAARTICOLO", "Torna all'articolo")) %></a></p>
<% } %>
</section>
<% contenuti.Free(); %>
<!--#include virtual="piede.inc"-->
